list(APPEND PORTABLE_SOURCES
  menu_gradient_math.cpp
  menu_search.cpp
)
