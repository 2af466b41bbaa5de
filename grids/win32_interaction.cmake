list(APPEND WIN32_SOURCES
  custom_grid_input.cpp
)
