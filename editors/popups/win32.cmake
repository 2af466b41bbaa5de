list(APPEND WIN32_SOURCES
  popup_window.cpp
  popup_list_box.cpp
  message_window.cpp
)
