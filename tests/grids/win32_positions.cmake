list(APPEND WIN32_TESTS
  column_test.cpp
  data_grid_test.cpp
  source_grid_columns_test.cpp
  positions_roundtrip_test.cpp
  gallery_positions_mode_test.cpp
)
