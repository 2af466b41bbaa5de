list(APPEND PORTABLE_TESTS
  number_text_test.cpp
  styled_text_codes_test.cpp
)
