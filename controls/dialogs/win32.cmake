list(APPEND WIN32_SOURCES
  look_and_feel_hook.cpp
  look_and_feel.cpp
  form_placement.cpp
  busy_cursor.cpp
  message_box.cpp
  symbol_dialog.cpp
)
