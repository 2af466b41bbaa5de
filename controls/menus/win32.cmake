list(APPEND WIN32_SOURCES
  checkbox_background.cpp
  checkbox_control.cpp
  checkbox.cpp
  menu_appearance.cpp
  menu_paint.cpp
  menu_strings.cpp
  menu_components.cpp
  menu_subclass.cpp
  menu_picture.cpp
  edit_context_menu.cpp
)
