list(APPEND WIN32_TESTS
  float_edit_test.cpp
)
