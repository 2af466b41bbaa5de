list(APPEND WIN32_SOURCES
  edit_button.cpp
  edit_buttons.cpp
)
