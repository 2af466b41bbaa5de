list(APPEND PORTABLE_TESTS
  grid_geometry_test.cpp
)
