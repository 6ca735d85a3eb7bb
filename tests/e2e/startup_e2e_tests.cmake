# End-to-end tests of the host's start-up: the real Glintra.scr beside the
# real Glintra.dll.
#
# Included by the test folder's CMakeLists, this file registers the tests. Run
# with cmake -P, it is the cursor test itself (below).

if(NOT CMAKE_SCRIPT_MODE_FILE)
  if(WIN32)
    # Modes, windows and the renderer message, driven from a Windows program
    # that copies both programs into a folder of its own.
    glintra_add_test(startup_win32_e2e_test
      SOURCES startup_win32_e2e_test.cpp win32_child_process.cpp
      LIBS user32
      DISPLAY TIMEOUT 240)
    add_dependencies(startup_win32_e2e_test glintra_host glintra_renderer)

    # Whether a mode hides the cursor: the host ends right after, so only a
    # trace of the call itself tells. Wine's relay trace of the host, limited
    # to user32.ShowCursor by the prefix's RelayInclude, goes to the Wine
    # process's own standard error, which only a Unix-side runner can read.
    if(CMAKE_HOST_UNIX)
      add_test(NAME startup_cursor_e2e_test
               COMMAND ${CMAKE_COMMAND} -DTEST_ENV=${GLINTRA_TEST_ENV}
                       -DTEST_STATE=${GLINTRA_TEST_STATE} -DHOST=$<TARGET_FILE:glintra_host>
                       -P ${CMAKE_CURRENT_LIST_FILE})
      set_tests_properties(startup_cursor_e2e_test PROPERTIES
        FIXTURES_REQUIRED test_env TIMEOUT 120)
      # A saver run's hidden "Glintra_Main" would turn these starts away.
      set_tests_properties(startup_win32_e2e_test startup_cursor_e2e_test PROPERTIES
        RESOURCE_LOCK host_instance)
    endif()
  endif()
  return()
endif()

# ---- The cursor test (cmake -P) ----
cmake_minimum_required(VERSION 3.20)
include(${CMAKE_CURRENT_LIST_DIR}/show_cursor_relay.cmake)
set(failures 0)
# Switch, then how many times the host calls ShowCursor(FALSE). Other
# switches than S end before the cursor is touched; the saver run's own
# cursor test is in saver_e2e_tests.cmake.
foreach(case "/a|0" "/c|0" "/p 1234|0")
  string(REPLACE "|" ";" case "${case}")
  list(GET case 0 switch)
  list(GET case 1 expected)
  separate_arguments(arguments NATIVE_COMMAND "${switch}")
  execute_process(COMMAND ${TEST_ENV} run ${TEST_STATE} -- ${HOST} ${arguments}
                  OUTPUT_VARIABLE trace ERROR_VARIABLE trace RESULT_VARIABLE status
                  TIMEOUT 30)
  string(REGEX MATCHALL "Call user32\\.ShowCursor\\(00000000\\)" hides "${trace}")
  string(REGEX MATCHALL "Call user32\\.ShowCursor\\(" calls "${trace}")
  list(LENGTH hides hideCount)
  list(LENGTH calls callCount)
  if(NOT status EQUAL 0 OR NOT hideCount EQUAL expected OR NOT callCount EQUAL expected)
    message(SEND_ERROR "\"${switch}\": status ${status}, ShowCursor(FALSE) ${hideCount} "
                       "time(s), ShowCursor ${callCount} time(s); expected ${expected}")
    math(EXPR failures "${failures} + 1")
  else()
    message(STATUS "\"${switch}\": ShowCursor(FALSE) ${hideCount} time(s), as expected")
  endif()
endforeach()
if(failures GREATER 0)
  message(FATAL_ERROR "${failures} mode(s) wrong")
endif()
