list(APPEND WIN32_SOURCES
  checkbox_background.cpp
  checkbox_control.cpp
  checkbox.cpp
)
