list(APPEND WIN32_TESTS
  string_grid_test.cpp
  inplace_editor_test.cpp
)
