list(APPEND WIN32_TESTS
  edit_keys_test.cpp
)
