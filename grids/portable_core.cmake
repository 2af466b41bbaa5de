list(APPEND PORTABLE_SOURCES
  grid_helpers.cpp
  grid_geometry.cpp
  long_text_object.cpp
  grid_rows.cpp
)
