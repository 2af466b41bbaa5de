list(APPEND WIN32_TESTS
  popup_window_test.cpp
  popup_list_box_test.cpp
  message_window_test.cpp
)
list(APPEND WIN32_TESTS
  clip_popup_test.cpp
  calculator_test.cpp
)
