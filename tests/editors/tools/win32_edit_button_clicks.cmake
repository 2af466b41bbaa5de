list(APPEND WIN32_TESTS
  edit_button_double_click_test.cpp
)
