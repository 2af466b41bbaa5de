list(APPEND WIN32_TESTS
  menus_test.cpp
)
