list(APPEND WIN32_TESTS
  edit_buttons_test.cpp
)
