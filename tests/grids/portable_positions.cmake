list(APPEND PORTABLE_TESTS
  positions_text_test.cpp
)
