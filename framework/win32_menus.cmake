list(APPEND WIN32_SOURCES
  menus.cpp
  form_menu.cpp
  control_popup.cpp
)
