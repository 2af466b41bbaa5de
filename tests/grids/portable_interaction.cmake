list(APPEND PORTABLE_TESTS
  grid_interaction_rules_test.cpp
)
