list(APPEND PORTABLE_TESTS
  popup_geometry_test.cpp
  bubble_geometry_test.cpp
)
