list(APPEND WIN32_TESTS
  edit_base_test.cpp
  choice_edit_test.cpp
  combo_box_test.cpp
  form_edit_test.cpp
  form_edit_drop_test.cpp
)
# The float edit's lists stand beside this one.
ui_include_lists(win32_*.cmake)
