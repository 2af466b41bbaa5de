list(APPEND WIN32_TESTS
  mask_paste_test.cpp
)
