# Test helpers shared by every test folder.
#
#   glintra_add_test(<name> SOURCES <files...> [LIBS <targets...>]
#                    [NO_GTEST_MAIN] [DISPLAY] [EXCLUSIVE] [TIMEOUT <s>]
#                    [ARGS <args...>] [LABELS <labels...>])
#
# builds one test program and registers it as one ctest entry. Windows test
# programs always run under Wine, inside the test environment that
# scripts/test-env.sh makes once per ctest run (a virtual display, a fresh Wine
# prefix, one wineserver). Native programs run directly; DISPLAY gives them the
# virtual display too. EXCLUSIVE serialises tests that use the whole screen,
# the keyboard focus or the fixed bitmap path.

set(GLINTRA_GTEST_SOURCE_DIR /usr/src/googletest CACHE PATH
    "GoogleTest sources, built with the project's own compiler")
if(EXISTS ${GLINTRA_GTEST_SOURCE_DIR}/CMakeLists.txt)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
  add_subdirectory(${GLINTRA_GTEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest
                   EXCLUDE_FROM_ALL SYSTEM)
else()
  find_package(GTest REQUIRED)
  add_library(gtest ALIAS GTest::gtest)
  add_library(gtest_main ALIAS GTest::gtest_main)
  add_library(gmock ALIAS GTest::gmock)
endif()

set(GLINTRA_TEST_ENV ${CMAKE_SOURCE_DIR}/scripts/test-env.sh)
set(GLINTRA_TEST_STATE ${CMAKE_BINARY_DIR}/test-env)

# One environment for the whole run; the cleanup fixture runs even when tests
# fail, so no Xvfb, wineserver or prefix outlives the run.
if(WIN32)
  set(_env_args --wine ${CMAKE_BINARY_DIR}/wine-template)
else()
  set(_env_args)
endif()
if(CMAKE_HOST_UNIX)
  add_test(NAME test_env_start
           COMMAND ${GLINTRA_TEST_ENV} start ${GLINTRA_TEST_STATE} ${_env_args})
  add_test(NAME test_env_stop COMMAND ${GLINTRA_TEST_ENV} stop ${GLINTRA_TEST_STATE})
  set_tests_properties(test_env_start PROPERTIES FIXTURES_SETUP test_env TIMEOUT 300)
  set_tests_properties(test_env_stop PROPERTIES FIXTURES_CLEANUP test_env)
endif()

function(glintra_add_test name)
  cmake_parse_arguments(T "NO_GTEST_MAIN;DISPLAY;EXCLUSIVE" "TIMEOUT"
                        "SOURCES;LIBS;ARGS;LABELS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS})
  if(T_NO_GTEST_MAIN)
    target_link_libraries(${name} PRIVATE gtest gmock)
  else()
    target_link_libraries(${name} PRIVATE gtest gmock gtest_main)
  endif()
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/tests)

  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 120)
  endif()
  if((WIN32 OR T_DISPLAY) AND CMAKE_HOST_UNIX)
    add_test(NAME ${name}
             COMMAND ${GLINTRA_TEST_ENV} run ${GLINTRA_TEST_STATE} --
                     $<TARGET_FILE:${name}> ${T_ARGS})
    set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED test_env)
  else()
    add_test(NAME ${name} COMMAND ${name} ${T_ARGS})
  endif()
  set_tests_properties(${name} PROPERTIES TIMEOUT ${T_TIMEOUT}
                       ENVIRONMENT "GLINTRA_SOURCE_DIR=${CMAKE_SOURCE_DIR};GLINTRA_BIN_DIR=${GLINTRA_BIN_DIR}")
  if(T_EXCLUSIVE)
    set_tests_properties(${name} PROPERTIES RESOURCE_LOCK screen)
  endif()
  if(T_LABELS)
    set_tests_properties(${name} PROPERTIES LABELS "${T_LABELS}")
  endif()
endfunction()
