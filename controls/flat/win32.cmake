list(APPEND WIN32_SOURCES
  fc_bitmap.cpp
  flat_utils.cpp
)
