list(APPEND PORTABLE_TESTS
  combo_rules_test.cpp
  form_edit_rules_test.cpp
  outside_text_test.cpp
)
# The float edit's lists stand beside this one.
ui_include_lists(portable_*.cmake)
