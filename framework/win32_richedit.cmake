list(APPEND WIN32_SOURCES
  printer.cpp
  rich_edit.cpp
)
