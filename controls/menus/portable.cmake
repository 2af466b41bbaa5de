list(APPEND PORTABLE_SOURCES
  checkbox_rules.cpp
)
