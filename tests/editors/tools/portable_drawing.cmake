list(APPEND PORTABLE_TESTS
  drawing_kernels_test.cpp
)
