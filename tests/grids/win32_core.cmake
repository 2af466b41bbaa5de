list(APPEND WIN32_TESTS
  custom_grid_test.cpp
  string_grid_test.cpp
  inplace_editor_test.cpp
)
