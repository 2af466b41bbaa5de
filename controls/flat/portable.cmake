list(APPEND PORTABLE_SOURCES
  hsl_utils.cpp
  pixel_effects.cpp
  dib_reader.cpp
  button_layout.cpp
  flat_hint_layout.cpp
)
