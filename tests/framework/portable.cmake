list(APPEND PORTABLE_TESTS
  object_test.cpp
)
