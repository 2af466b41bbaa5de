list(APPEND PORTABLE_SOURCES
  popup_geometry.cpp
  bubble_geometry.cpp
)
