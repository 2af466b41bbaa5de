# The system's common dialogs.
list(APPEND WIN32_SOURCES
  save_dialog.cpp
)
