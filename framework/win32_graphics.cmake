list(APPEND WIN32_SOURCES
  gdi_owner.cpp
  process_census.cpp
  graphics.cpp
  font.cpp
  pen_brush.cpp
  canvas.cpp
  graphic.cpp
  bitmap.cpp
  screen.cpp
  callback_guard.cpp
  utility_window.cpp
  timer.cpp
)
