list(APPEND PORTABLE_SOURCES
  checkbox_rules.cpp
  menu_gradient_math.cpp
  menu_search.cpp
)
