list(APPEND PORTABLE_TESTS
  color_math_test.cpp
)
