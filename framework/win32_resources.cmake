list(APPEND WIN32_SOURCES
  resource_stream.cpp
)
