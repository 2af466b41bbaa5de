list(APPEND PORTABLE_SOURCES
  edit_button_data.cpp
  edit_button_logic.cpp
  short_date_format.cpp
)
