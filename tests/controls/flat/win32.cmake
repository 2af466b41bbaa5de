list(APPEND WIN32_TESTS
  fc_bitmap_test.cpp
)
