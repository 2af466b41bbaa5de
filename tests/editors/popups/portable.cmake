list(APPEND PORTABLE_TESTS
  popup_geometry_test.cpp
  bubble_geometry_test.cpp
)
list(APPEND PORTABLE_TESTS
  calc_engine_test.cpp
)
list(APPEND PORTABLE_TESTS
  clip_popup_geometry_test.cpp
)
