list(APPEND PORTABLE_TESTS
  placement_rules_test.cpp
  box_text_test.cpp
  symbol_layout_test.cpp
)
