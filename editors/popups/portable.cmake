list(APPEND PORTABLE_SOURCES
  popup_geometry.cpp
  bubble_geometry.cpp
)
list(APPEND PORTABLE_SOURCES
  calc_engine.cpp
  calc_keyboard.cpp
)
list(APPEND PORTABLE_SOURCES
  clip_popup_geometry.cpp
)
