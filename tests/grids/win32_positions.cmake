list(APPEND WIN32_TESTS
  data_grid_test.cpp
  positions_roundtrip_test.cpp
  gallery_positions_mode_test.cpp
)
