list(APPEND WIN32_SOURCES
  edit_drawing.cpp
  drop_arrows.cpp
)
