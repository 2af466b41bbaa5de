include(${CMAKE_CURRENT_LIST_DIR}/win32_core.cmake OPTIONAL)
include(${CMAKE_CURRENT_LIST_DIR}/win32_positions.cmake OPTIONAL)
include(${CMAKE_CURRENT_LIST_DIR}/win32_interaction.cmake OPTIONAL)
include(${CMAKE_CURRENT_LIST_DIR}/win32_keys.cmake OPTIONAL)
