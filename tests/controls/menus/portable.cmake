list(APPEND PORTABLE_TESTS
  menu_search_test.cpp
)
