list(APPEND WIN32_TESTS
  checkbox_test.cpp
  menu_paint_test.cpp
  menu_components_test.cpp
  edit_context_menu_test.cpp
)
