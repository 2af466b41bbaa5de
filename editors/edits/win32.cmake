list(APPEND WIN32_SOURCES
  edit_base.cpp
  mask_edit.cpp
  choice_edit.cpp
  combo_box.cpp
)
