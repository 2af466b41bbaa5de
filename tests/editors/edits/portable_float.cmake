list(APPEND PORTABLE_TESTS
  float_rules_test.cpp
)
