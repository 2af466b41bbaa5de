list(APPEND PORTABLE_SOURCES
  cp1252.cpp
  drop_blocks.cpp
  drop_rules.cpp
  format_map.cpp
  unicode_strings.cpp
)
