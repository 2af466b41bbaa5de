list(APPEND WIN32_SOURCES
  window_hook.cpp
  pattern_brush.cpp
  list_box.cpp
)
