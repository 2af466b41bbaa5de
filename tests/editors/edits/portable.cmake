list(APPEND PORTABLE_TESTS
  combo_rules_test.cpp
)
