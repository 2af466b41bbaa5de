list(APPEND WIN32_TESTS
  form_placement_test.cpp
  busy_cursor_test.cpp
)
