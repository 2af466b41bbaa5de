list(APPEND PORTABLE_TESTS
  object_test.cpp
  strings_test.cpp
  ansi_text_test.cpp
  sysutils_test.cpp
  streams_test.cpp
  print_layout_test.cpp
  dib_reader_test.cpp
  bmp_file_test.cpp
)
