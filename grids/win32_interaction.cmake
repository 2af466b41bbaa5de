list(APPEND WIN32_SOURCES
  custom_grid_input.cpp
  data_grid_editing.cpp
  data_grid_drawing.cpp
)
