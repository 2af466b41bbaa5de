list(APPEND PORTABLE_SOURCES
  combo_rules.cpp
)
