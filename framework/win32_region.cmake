list(APPEND WIN32_SOURCES
  window_region.cpp
)
