list(APPEND WIN32_TESTS
  file_copy_test.cpp
  files_folders_test.cpp
  shell_jobs_test.cpp
  string_files_test.cpp
  user_mode_test.cpp
)
