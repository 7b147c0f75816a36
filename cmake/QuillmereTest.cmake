# SPDX-License-Identifier: GPL-3.0-or-later

# quillmere_add_test(NAME SOURCES file... LIBS target... [LABELS label...])
# Builds one QtTest executable and registers it with CTest on the offscreen platform.
# Every test is labelled "unit" and with the name of its folder under tests/
# (workflow, translation, ...); the target tests-<label> builds all tests of a label.
function(quillmere_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE Qt6::Test ${ARG_LIBS})
  if(TARGET quillmere_tsan_qt)
    target_link_libraries(${name} PRIVATE quillmere_tsan_qt)
  endif()
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  add_test(NAME ${name} COMMAND ${name})
  get_filename_component(folder ${CMAKE_CURRENT_SOURCE_DIR} NAME)
  set(labels unit ${folder} ${ARG_LABELS})
  list(REMOVE_DUPLICATES labels)
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LC_ALL=C.UTF-8;${QUILLMERE_SANITIZER_ENV}"
    LABELS "${labels}"
    TIMEOUT 300)
  foreach(label IN LISTS labels)
    if(NOT TARGET tests-${label})
      add_custom_target(tests-${label})
    endif()
    add_dependencies(tests-${label} ${name})
  endforeach()
endfunction()
