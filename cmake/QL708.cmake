# SPDX-License-Identifier: GPL-3.0-or-later
# ql708_add_test(<name> SOURCES <files...> LIBS <targets...>)
# One QtTest executable per test class, run offscreen under ctest.
function(ql708_add_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE Qt6::Test ql708_testsupport ${T_LIBS})
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QL708_FIXTURES=${CMAKE_SOURCE_DIR}/tests/fixtures"
    TIMEOUT 120)
endfunction()

# Subfolders of a folder that hold a CMakeLists.txt, in name order, except those named.
function(ql708_add_subfolders)
  set(skip ${ARGN})
  file(GLOB children LIST_DIRECTORIES true RELATIVE ${CMAKE_CURRENT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR}/*)
  list(SORT children)
  foreach(child ${children})
    if(NOT child IN_LIST skip AND IS_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR}/${child} AND EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${child}/CMakeLists.txt)
      add_subdirectory(${child})
    endif()
  endforeach()
endfunction()

# ql708_add_output_test(<name> <exit status> out|err <text> <program> [arguments...])
# Runs a program without a display and checks its exit status and a text in its output.
function(ql708_add_output_test name status stream text)
  add_test(NAME ${name} COMMAND sh ${CMAKE_SOURCE_DIR}/tests/support/expect_output.sh ${status} ${stream} ${text} ${ARGN})
endfunction()
