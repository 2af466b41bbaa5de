list(APPEND PORTABLE_TESTS
  grid_helpers_test.cpp
  grid_geometry_test.cpp
  long_text_object_test.cpp
)
