list(APPEND PORTABLE_TESTS
  fast_ini_file_test.cpp
  file_exists_rule_test.cpp
  ini_text_test.cpp
  path_text_test.cpp
  replace_text_test.cpp
  string_hash_test.cpp
)
