# The EDIT control and the clipboard's text.
list(APPEND WIN32_SOURCES
  clipboard.cpp
  edit.cpp
)
