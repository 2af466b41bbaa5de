list(APPEND WIN32_SOURCES
  file_copy.cpp
  file_exists.cpp
  folders.cpp
  guid_hash.cpp
  shell_jobs.cpp
  string_files.cpp
  user_mode.cpp
)
