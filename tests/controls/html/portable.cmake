list(APPEND PORTABLE_TESTS
  html_text_test.cpp
  html_engine_test.cpp
  gif_frames_test.cpp
)
