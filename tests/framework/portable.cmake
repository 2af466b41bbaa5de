list(APPEND PORTABLE_TESTS
  object_test.cpp
  strings_test.cpp
  ansi_text_test.cpp
  sysutils_test.cpp
  accelerator_test.cpp
  streams_test.cpp
  file_stream_write_test.cpp
  collection_test.cpp
)
