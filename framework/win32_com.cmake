list(APPEND WIN32_SOURCES
  global_memory.cpp
  stream_adapter.cpp
)
