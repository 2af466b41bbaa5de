list(APPEND PORTABLE_TESTS
  color_math_test.cpp
  flat_hint_layout_test.cpp
)
