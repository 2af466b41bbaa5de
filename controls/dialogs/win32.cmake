list(APPEND WIN32_SOURCES
  look_and_feel_hook.cpp
  look_and_feel.cpp
  form_placement.cpp
  busy_cursor.cpp
  message_box.cpp
  color_schemes.cpp
  ole_rich_edit.cpp
  rich_edit_links.cpp
  summary_window.cpp
)
