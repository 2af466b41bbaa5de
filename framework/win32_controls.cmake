list(APPEND WIN32_SOURCES
  application.cpp
  control.cpp
  custom_control.cpp
  form.cpp
  graphic_control.cpp
  hint_window.cpp
  win_control.cpp
  window_class.cpp
)
