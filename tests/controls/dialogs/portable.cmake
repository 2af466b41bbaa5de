list(APPEND PORTABLE_TESTS
  placement_rules_test.cpp
)
