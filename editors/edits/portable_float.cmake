list(APPEND PORTABLE_SOURCES
  float_rules.cpp
)
