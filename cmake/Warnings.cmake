# Project code is built with every warning as an error; third-party headers come in as SYSTEM.
function(vexlor_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wshadow -Werror)
endfunction()

# Headers are included by their path below src/ ("core/base/Clock.h"). Each layer (core, sim,
# cli, gui) gets an include root in the build tree that holds its own folder alone, so a
# header of a layer a library does not link is not found at all.
function(vexlor_layer_include_root layer out)
  set(root ${CMAKE_BINARY_DIR}/include/${layer})
  if(NOT EXISTS ${root}/${layer})
    file(MAKE_DIRECTORY ${root})
    file(CREATE_LINK ${PROJECT_SOURCE_DIR}/src/${layer} ${root}/${layer} SYMBOLIC)
  endif()
  set(${out} ${root} PARENT_SCOPE)
endfunction()

# A library of the project: warnings on, sources relative to the calling directory. A library
# below src/ exports the include root of its layer; one elsewhere (tools, tests) reaches
# headers through what it links.
function(vexlor_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;PUBLIC_LIBS;PRIVATE_LIBS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  file(RELATIVE_PATH below ${PROJECT_SOURCE_DIR}/src ${CMAKE_CURRENT_SOURCE_DIR})
  if(NOT below MATCHES "^\\.\\.")
    string(REGEX MATCH "^[^/]+" layer ${below})
    vexlor_layer_include_root(${layer} root)
    target_include_directories(${name} PUBLIC ${root})
  endif()
  target_link_libraries(${name} PUBLIC ${ARG_PUBLIC_LIBS} PRIVATE ${ARG_PRIVATE_LIBS})
  vexlor_warnings(${name})
endfunction()

# A GoogleTest executable registered with CTest; tests run in their own scratch directory.
# RUN_UNDER names a program that starts the test executable (discovery included).
function(vexlor_gtest name)
  cmake_parse_arguments(ARG "" "RUN_UNDER" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} vexlor_test_support GTest::gtest GTest::gmock GTest::gtest_main)
  vexlor_warnings(${name})
  # The environment goes in through "cmake -E env": test properties handed to
  # gtest_discover_tests lose the separators of a list, so only the first variable would arrive.
  set(launcher "${CMAKE_COMMAND};-E;env;VEXLOR_TEST_DATA=${PROJECT_SOURCE_DIR}/tests/data;VEXLOR_BASE_DIR=${VEXLOR_BASE_DIR};QT_QPA_PLATFORM=offscreen")
  if(ARG_RUN_UNDER)
    list(APPEND launcher ${ARG_RUN_UNDER})
  endif()
  set_target_properties(${name} PROPERTIES CROSSCOMPILING_EMULATOR "${launcher}")
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST)
endfunction()
