list(APPEND PORTABLE_SOURCES
  hsl_utils.cpp
  pixel_effects.cpp
  button_layout.cpp
  flat_hint_layout.cpp
)
