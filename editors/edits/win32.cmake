list(APPEND WIN32_SOURCES
  edit_base.cpp
  mask_edit.cpp
  choice_edit.cpp
  choice_edit_form.cpp
  combo_box.cpp
)
# The float edit's lists stand beside this one.
ui_include_lists(win32_*.cmake)
