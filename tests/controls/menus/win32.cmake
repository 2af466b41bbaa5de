list(APPEND WIN32_TESTS
  menu_paint_test.cpp
  menu_components_test.cpp
)
