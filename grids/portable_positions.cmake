list(APPEND PORTABLE_SOURCES
  positions_text.cpp
)
