list(APPEND PORTABLE_SOURCES
  html_text.cpp
  html_engine.cpp
  gif_frames.cpp
)
