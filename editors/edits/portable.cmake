list(APPEND PORTABLE_SOURCES
  combo_rules.cpp
  form_edit_rules.cpp
  outside_text.cpp
)
# The float edit's lists stand beside this one.
ui_include_lists(portable_*.cmake)
