list(APPEND WIN32_TESTS
  styled_text_test.cpp
)
