list(APPEND PORTABLE_SOURCES
  block_arena.cpp
  sparse_array.cpp
  sparse_list.cpp
  string_sparse_list.cpp
)
