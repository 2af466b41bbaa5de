list(APPEND WIN32_TESTS
  graphics_objects_test.cpp
  graphics_canvas_test.cpp
  graphics_bitmap_test.cpp
  graphic_test.cpp
  bitmap_stream_test.cpp
  screen_test.cpp
  timer_test.cpp
)
