list(APPEND WIN32_SOURCES
  fc_bitmap.cpp
  flat_utils.cpp
  flat_face.cpp
  hover_tracker.cpp
  flat_button_base.cpp
  flat_button.cpp
  flat_panel.cpp
  flat_speed_button.cpp
  flat_hint.cpp
)
