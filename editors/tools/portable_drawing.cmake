list(APPEND PORTABLE_SOURCES
  drawing_kernels.cpp
)
