list(APPEND WIN32_TESTS
  grid_interaction_test.cpp
)
