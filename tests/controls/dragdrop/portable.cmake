list(APPEND PORTABLE_TESTS
  drop_blocks_test.cpp
  drop_rules_test.cpp
  file_link_rules_test.cpp
  unicode_strings_test.cpp
)
