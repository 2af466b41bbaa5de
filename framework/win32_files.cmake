list(APPEND WIN32_SOURCES
  file_search.cpp
)
