list(APPEND WIN32_TESTS
  form_placement_test.cpp
  busy_cursor_test.cpp
  message_box_test.cpp
  symbol_dialog_test.cpp
)
