list(APPEND WIN32_TESTS
  control_lifecycle_test.cpp
  control_paint_test.cpp
  control_mouse_test.cpp
  application_key_test.cpp
  application_hint_test.cpp
  form_test.cpp
)
list(APPEND WIN32_TESTS edit_clipboard_test.cpp user_input_counters_test.cpp)
