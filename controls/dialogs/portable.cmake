list(APPEND PORTABLE_SOURCES
  placement_rules.cpp
  box_text.cpp
  color_scheme_rules.cpp
  summary_links.cpp
)
