list(APPEND WIN32_SOURCES
  std_controls.cpp
)
