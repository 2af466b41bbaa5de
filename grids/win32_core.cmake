list(APPEND WIN32_SOURCES
  custom_grid.cpp
  custom_grid_sizes.cpp
  custom_grid_editor.cpp
  draw_grid.cpp
  inplace_editor.cpp
  string_grid.cpp
  string_grid_strings.cpp
)
