list(APPEND WIN32_SOURCES
  html_picture.cpp
  html_gdi_device.cpp
  html_draw.cpp
  html_label.cpp
)
