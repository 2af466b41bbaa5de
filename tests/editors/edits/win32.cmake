list(APPEND WIN32_TESTS
  edit_base_test.cpp
  choice_edit_test.cpp
  combo_box_test.cpp
)
