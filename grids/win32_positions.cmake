list(APPEND WIN32_SOURCES
  column.cpp
  data_grid_columns.cpp
  data_grid.cpp
  data_grid_positions.cpp
  source_grid_columns.cpp
)
