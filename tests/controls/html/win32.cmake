list(APPEND WIN32_TESTS
  html_draw_test.cpp
  html_label_test.cpp
  html_picture_test.cpp
)
