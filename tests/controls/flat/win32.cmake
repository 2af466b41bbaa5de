list(APPEND WIN32_TESTS
  fc_bitmap_test.cpp
  fc_bitmap_load_test.cpp
  fc_bitmap_stream_test.cpp
  flat_button_test.cpp
  flat_panel_test.cpp
  flat_hint_test.cpp
  flat_press_test.cpp
)
