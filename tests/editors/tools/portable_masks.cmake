list(APPEND PORTABLE_TESTS
  edit_mask_test.cpp
)
