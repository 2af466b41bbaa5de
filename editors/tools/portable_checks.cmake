list(APPEND PORTABLE_SOURCES
  number_text.cpp
  styled_text_codes.cpp
)
