list(APPEND PORTABLE_SOURCES
  edit_mask.cpp
)
