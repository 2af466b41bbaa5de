list(APPEND PORTABLE_TESTS
  sparse_storage_test.cpp
)
