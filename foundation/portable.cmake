list(APPEND PORTABLE_SOURCES
  fast_ini_file.cpp
  file_exists_rule.cpp
  ini_text.cpp
  path_text.cpp
  replace_text.cpp
  string_hash.cpp
)
