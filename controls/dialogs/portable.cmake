list(APPEND PORTABLE_SOURCES
  placement_rules.cpp
  box_text.cpp
  symbol_layout.cpp
)
