list(APPEND PORTABLE_TESTS
  block_arena_test.cpp
  sparse_storage_test.cpp
)
