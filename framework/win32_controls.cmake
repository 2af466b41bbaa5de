list(APPEND WIN32_SOURCES
  application.cpp
  control.cpp
  custom_control.cpp
  form.cpp
  graphic_control.cpp
  hint_window.cpp
  win_control.cpp
  win_control_align.cpp
  win_control_dispatch.cpp
  win_control_focus_keys.cpp
  win_control_mouse.cpp
  win_control_paint.cpp
  win_control_window.cpp
  window_class.cpp
)
