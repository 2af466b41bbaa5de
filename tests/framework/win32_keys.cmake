list(APPEND WIN32_TESTS
  key_focus_test.cpp
)
