list(APPEND WIN32_SOURCES
  clipboard_format.cpp
  data_format.cpp
  text_formats.cpp
  file_formats.cpp
  stream_formats.cpp
  virtual_files.cpp
  drop_target.cpp
  doc_roots.cpp
  file_links_clipboard.cpp
)
