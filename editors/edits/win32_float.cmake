list(APPEND WIN32_SOURCES
  float_edit.cpp
)
