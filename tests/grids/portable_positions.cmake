list(APPEND PORTABLE_TESTS
  positions_text_test.cpp
  positions_text_robustness_test.cpp
)
