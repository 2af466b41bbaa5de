list(APPEND WIN32_TESTS
  checkbox_test.cpp
)
