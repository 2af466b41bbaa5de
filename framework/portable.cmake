list(APPEND PORTABLE_SOURCES
  object.cpp
  exceptions.cpp
  component.cpp
  strings.cpp
  streams.cpp
  ansi_text.cpp
  format_settings.cpp
  decimal_digits.cpp
  format_float.cpp
  format_args.cpp
  collection.cpp
  sysutils.cpp
  accelerator.cpp
  color_names.cpp
  cp1252.cpp
  print_layout.cpp
)
