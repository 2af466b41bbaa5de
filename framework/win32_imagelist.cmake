list(APPEND WIN32_SOURCES
  image_list.cpp
)
