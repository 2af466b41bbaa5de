list(APPEND PORTABLE_SOURCES
  object.cpp
)
