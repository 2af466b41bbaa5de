list(APPEND PORTABLE_TESTS
  sparse_array_test.cpp
  sparse_list_test.cpp
  sparse_string_list_test.cpp
)
