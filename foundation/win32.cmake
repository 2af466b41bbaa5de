list(APPEND WIN32_SOURCES
  file_copy.cpp
  file_exists.cpp
  folder_walk.cpp
  folders.cpp
  guid_hash.cpp
  shell_jobs.cpp
  string_files.cpp
  user_mode.cpp
)
