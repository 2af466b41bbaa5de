list(APPEND WIN32_TESTS
  form_placement_test.cpp
  busy_cursor_test.cpp
  message_box_test.cpp
  input_box_test.cpp
  input_box_keys_test.cpp
  color_schemes_test.cpp
  summary_window_test.cpp
  symbol_dialog_test.cpp
)
