list(APPEND PORTABLE_SOURCES
  drop_blocks.cpp
  drop_rules.cpp
  file_link_rules.cpp
  format_map.cpp
  unicode_strings.cpp
)
