list(APPEND WIN32_SOURCES
  styled_text.cpp
)
