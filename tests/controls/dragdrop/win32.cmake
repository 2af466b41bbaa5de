list(APPEND WIN32_TESTS
  data_formats_test.cpp
  doc_roots_test.cpp
  drop_target_test.cpp
  stream_formats_test.cpp
  virtual_files_test.cpp
)
