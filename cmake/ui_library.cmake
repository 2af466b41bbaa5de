# ui_library(<name> [deps...]): static library from <name>/portable.cmake and,
# in the Windows build, <name>/win32.cmake. The list files append paths
# relative to their folder: list(APPEND PORTABLE_SOURCES a.cpp sub/b.cpp) and
# list(APPEND WIN32_SOURCES ...).
#
# ui_tests(<name> [libs...]): test executable <name>_tests from
# tests/<name>/portable.cmake and, in the Windows build, tests/<name>/win32.cmake
# (lists PORTABLE_TESTS / WIN32_TESTS). In the Windows build
# ctest runs it under Wine through scripts/wine-run.

# The test programs compile library.rc in this directory.
include(${UI_ROOT}/resources/resources.cmake)

function(_ui_collect folder file var outvar)
  set(${var} "")
  set(result "")
  set(listfile ${UI_ROOT}/${folder}/${file}.cmake)
  if(EXISTS ${listfile})
    include(${listfile})
    foreach(f IN LISTS ${var})
      list(APPEND result ${UI_ROOT}/${folder}/${f})
    endforeach()
  endif()
  set(${outvar} ${result} PARENT_SCOPE)
endfunction()

function(ui_library name)
  _ui_collect(${name} portable PORTABLE_SOURCES portable)
  set(srcs ${portable})
  if(NOT UI_PORTABLE_ONLY)
    _ui_collect(${name} win32 WIN32_SOURCES win)
    list(APPEND srcs ${win})
  endif()
  if(NOT srcs)
    # An empty folder still gives a library so that dependants link.
    # (written only when it changes, so a re-configure rebuilds nothing)
    file(CONFIGURE OUTPUT ${CMAKE_BINARY_DIR}/empty_${name}.cpp CONTENT "// ${name}: nothing built yet\n")
    set(srcs ${CMAKE_BINARY_DIR}/empty_${name}.cpp)
  endif()
  add_library(${name} STATIC ${srcs})
  target_include_directories(${name} PUBLIC ${UI_ROOT})
  if(ARGN)
    target_link_libraries(${name} PUBLIC ${ARGN})
  endif()
  if(NOT UI_PORTABLE_ONLY AND name STREQUAL "framework")
    target_link_libraries(${name} PUBLIC ole32 oleaut32 uuid comctl32 comdlg32 shell32 shlwapi
                          gdi32 user32 kernel32 advapi32 winspool msimg32 imm32)
  endif()
endfunction()

function(ui_tests name)
  if(UI_FUZZ)
    return()  # the fuzzing build makes the fuzz targets only
  endif()
  _ui_collect(tests/${name} portable PORTABLE_TESTS portable)
  set(srcs ${portable})
  if(NOT UI_PORTABLE_ONLY)
    _ui_collect(tests/${name} win32 WIN32_TESTS win)
    list(APPEND srcs ${win})
  endif()
  if(NOT srcs)
    return()
  endif()
  add_executable(${name}_tests ${srcs})
  target_link_libraries(${name}_tests PRIVATE ${ARGN} gtest gtest_main)
  target_include_directories(${name}_tests PRIVATE ${UI_ROOT} ${UI_ROOT}/tests)
  if(NOT UI_PORTABLE_ONLY)
    target_sources(${name}_tests PRIVATE ${UI_ROOT}/resources/library.rc)
    set_target_properties(${name}_tests PROPERTIES WIN32_EXECUTABLE OFF)
    add_test(NAME ${name}_tests
             COMMAND ${UI_ROOT}/scripts/wine-run $<TARGET_FILE:${name}_tests> --gtest_brief=0)
  else()
    add_test(NAME ${name}_portable_tests COMMAND ${name}_tests)
  endif()
endfunction()

# ui_include_subfolders(<listname> <var> <sub>...): inside a folder's list
# file, takes in each sub-folder's own list file <sub>/<listname>.cmake (paths
# there are relative to the sub-folder) and appends its entries to <var> with
# the sub-folder in front. A sub-folder without a list file adds nothing.
macro(ui_include_subfolders listname var)
  set(_ui_sub_dir ${CMAKE_CURRENT_LIST_DIR})
  foreach(_ui_sub ${ARGN})
    set(_ui_sub_outer ${${var}})
    set(${var} "")
    include(${_ui_sub_dir}/${_ui_sub}/${listname}.cmake OPTIONAL)
    list(TRANSFORM ${var} PREPEND ${_ui_sub}/)
    set(${var} ${_ui_sub_outer} ${${var}})
  endforeach()
endmacro()

# ui_include_lists(<pattern>): takes in every list file of the calling folder
# that matches <pattern> (e.g. win32_*.cmake), in name order, so an area adds
# its own list file instead of editing a shared one.
macro(ui_include_lists pattern)
  file(GLOB _ui_lists ${CMAKE_CURRENT_LIST_DIR}/${pattern})
  list(SORT _ui_lists)
  foreach(_ui_list ${_ui_lists})
    include(${_ui_list})
  endforeach()
endmacro()
