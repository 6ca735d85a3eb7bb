# Test helpers shared by every test folder.
#
#   glintra_add_test(<name> SOURCES <files...> [LIBS <targets...>]
#                    [NO_GTEST_MAIN] [DISPLAY] [EXCLUSIVE] [TIMEOUT <s>]
#                    [SCREEN <WxH>] [MONITORS <WxH,WxH...>]
#                    [ARGS <args...>] [LABELS <labels...>])
#
# builds one test program and registers it as one ctest entry.
#
#   glintra_add_command_test(<name> COMMAND <command...> [DISPLAY] [EXCLUSIVE]
#                            [TIMEOUT <s>] [SCREEN <WxH>] [MONITORS <WxH,WxH...>]
#                            [ENVIRONMENT <NAME=value...>])
#
# registers a command (a script, a test program run a second way) the same way.
# SCREEN sizes the virtual display (1280x720 by default); MONITORS makes it a
# desk of several monitors side by side, the first the primary, with a window
# manager (scripts/test-env.sh).
#
# Every test runs in an environment of its own (scripts/test-env.sh isolate):
# a Windows test program under Wine on a virtual display of its own, with a
# fresh Wine prefix and wineserver of its own; a native test with DISPLAY on a
# virtual display of its own. Nothing of one test (windows, the foreground,
# the keyboard, the screen, the registry, C:\) can reach another, so tests run
# in parallel without locks. A command test finds its environment in
# GLINTRA_TEST_ENV_STATE and starts Windows programs in it with
# `scripts/test-env.sh run $GLINTRA_TEST_ENV_STATE -- <program>`.
#
# EXCLUSIVE is for what no environment can give a test of its own: the native
# renderer's fixed bitmap path /tmp/q_vane. Such tests run under the
# fixed-path lock of scripts/test-env.sh, which every ctest run and script on
# the machine shares (two checkouts' runs included).

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
# The test environments of this build folder, and the Wine prefix they are
# copied from.
set(GLINTRA_TEST_ENV_ROOT ${CMAKE_BINARY_DIR}/test-env)
set(GLINTRA_WINE_TEMPLATE ${CMAKE_BINARY_DIR}/wine-template)

# The set-up makes the Wine template (once per build folder) and the clean-up
# removes what tests that ctest killed on time-out left behind (SIGKILL gives
# them no chance to clean up themselves); the set-up does that too, for runs
# that were killed as a whole.
if(CMAKE_HOST_UNIX)
  if(WIN32)
    set(_prepare_args --wine ${GLINTRA_WINE_TEMPLATE})
  endif()
  add_test(NAME test_env_setup
           COMMAND ${GLINTRA_TEST_ENV} prepare ${GLINTRA_TEST_ENV_ROOT} ${_prepare_args})
  add_test(NAME test_env_cleanup COMMAND ${GLINTRA_TEST_ENV} sweep ${GLINTRA_TEST_ENV_ROOT})
  set_tests_properties(test_env_setup PROPERTIES FIXTURES_SETUP test_env TIMEOUT 600)
  set_tests_properties(test_env_cleanup PROPERTIES FIXTURES_CLEANUP test_env TIMEOUT 120)
endif()

# Registers <name> running <command...> in an environment of its own.
function(_glintra_register_test name display exclusive timeout screen monitors)
  if(CMAKE_HOST_UNIX)
    set(runner ${GLINTRA_TEST_ENV} isolate ${GLINTRA_TEST_ENV_ROOT})
    if(WIN32)
      list(APPEND runner --wine ${GLINTRA_WINE_TEMPLATE})
    elseif(display)
      list(APPEND runner --display)
    endif()
    if(screen)
      list(APPEND runner --screen ${screen})
    endif()
    if(monitors)
      list(APPEND runner --monitors ${monitors})
    endif()
    if(exclusive)
      list(APPEND runner --lock)
    endif()
    add_test(NAME ${name} COMMAND ${runner} -- ${ARGN})
    set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED test_env)
  else()
    add_test(NAME ${name} COMMAND ${ARGN})
  endif()
  if(NOT timeout)
    set(timeout 120)
  endif()
  set_tests_properties(${name} PROPERTIES TIMEOUT ${timeout}
    ENVIRONMENT "GLINTRA_SOURCE_DIR=${CMAKE_SOURCE_DIR};GLINTRA_BIN_DIR=${GLINTRA_BIN_DIR}")
  if(exclusive)
    # Within one run, the lock's waiters queue in ctest, not on their clocks.
    set_tests_properties(${name} PROPERTIES RESOURCE_LOCK fixed_paths)
  endif()
endfunction()

function(glintra_add_test name)
  cmake_parse_arguments(T "NO_GTEST_MAIN;DISPLAY;EXCLUSIVE" "TIMEOUT;SCREEN;MONITORS"
                        "SOURCES;LIBS;ARGS;LABELS" ${ARGN})
  if(T_UNPARSED_ARGUMENTS)
    message(FATAL_ERROR "glintra_add_test(${name}): unknown arguments ${T_UNPARSED_ARGUMENTS}")
  endif()
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS})
  if(T_NO_GTEST_MAIN)
    target_link_libraries(${name} PRIVATE gtest gmock)
  else()
    target_link_libraries(${name} PRIVATE gtest gmock gtest_main)
  endif()
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/tests)
  _glintra_register_test(${name} "${T_DISPLAY}" "${T_EXCLUSIVE}" "${T_TIMEOUT}" "${T_SCREEN}"
                         "${T_MONITORS}" $<TARGET_FILE:${name}> ${T_ARGS})
  if(T_LABELS)
    set_tests_properties(${name} PROPERTIES LABELS "${T_LABELS}")
  endif()
endfunction()

function(glintra_add_command_test name)
  cmake_parse_arguments(T "DISPLAY;EXCLUSIVE" "TIMEOUT;SCREEN;MONITORS" "COMMAND;ENVIRONMENT"
                        ${ARGN})
  if(T_UNPARSED_ARGUMENTS OR NOT T_COMMAND)
    message(FATAL_ERROR "glintra_add_command_test(${name}): COMMAND missing or unknown arguments")
  endif()
  _glintra_register_test(${name} "${T_DISPLAY}" "${T_EXCLUSIVE}" "${T_TIMEOUT}" "${T_SCREEN}"
                         "${T_MONITORS}" ${T_COMMAND})
  if(T_ENVIRONMENT)
    set_property(TEST ${name} APPEND PROPERTY ENVIRONMENT ${T_ENVIRONMENT})
  endif()
endfunction()
