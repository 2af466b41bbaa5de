list(APPEND WIN32_TESTS
  rich_edit_test.cpp
)
