list(APPEND WIN32_TESTS
  window_region_test.cpp
)
