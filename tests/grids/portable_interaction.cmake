list(APPEND PORTABLE_TESTS
  grid_interaction_rules_test.cpp
  row_kind_test.cpp
)
