list(APPEND PORTABLE_TESTS
  edit_button_data_test.cpp
  edit_button_logic_test.cpp
)
