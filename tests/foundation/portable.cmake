list(APPEND PORTABLE_TESTS
  text_rules_test.cpp
)
