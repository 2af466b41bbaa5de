list(APPEND PORTABLE_TESTS
  checkbox_rules_test.cpp
  menu_search_test.cpp
)
