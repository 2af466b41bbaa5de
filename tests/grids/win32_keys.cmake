list(APPEND WIN32_TESTS
  grid_editor_keys_test.cpp
)
