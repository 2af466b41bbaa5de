list(APPEND WIN32_TESTS
  grid_interaction_test.cpp
  grid_sizes_test.cpp
  data_grid_editing_test.cpp
  data_grid_keys_test.cpp
)
