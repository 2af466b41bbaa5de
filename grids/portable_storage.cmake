list(APPEND PORTABLE_SOURCES
  sparse_array.cpp
  sparse_list.cpp
  string_sparse_list.cpp
)
