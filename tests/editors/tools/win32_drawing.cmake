list(APPEND WIN32_TESTS
  edit_drawing_test.cpp
  drop_arrows_test.cpp
)
