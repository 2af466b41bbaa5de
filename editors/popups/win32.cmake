list(APPEND WIN32_SOURCES
  popup_window.cpp
  popup_list_box.cpp
  message_window.cpp
)
list(APPEND WIN32_SOURCES
  clip_popup.cpp
  popup_tracking.cpp
  db_clip_popup.cpp
  calculator.cpp
)
