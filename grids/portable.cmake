include(${CMAKE_CURRENT_LIST_DIR}/portable_storage.cmake OPTIONAL)
include(${CMAKE_CURRENT_LIST_DIR}/portable_core.cmake OPTIONAL)
include(${CMAKE_CURRENT_LIST_DIR}/portable_positions.cmake OPTIONAL)
include(${CMAKE_CURRENT_LIST_DIR}/portable_interaction.cmake OPTIONAL)
