include(${CMAKE_CURRENT_LIST_DIR}/win32_graphics.cmake OPTIONAL)
include(${CMAKE_CURRENT_LIST_DIR}/win32_controls.cmake OPTIONAL)
