list(APPEND PORTABLE_SOURCES
  grid_interaction_rules.cpp
  row_kind.cpp
)
