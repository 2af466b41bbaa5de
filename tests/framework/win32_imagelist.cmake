list(APPEND WIN32_TESTS
  image_list_test.cpp
)
