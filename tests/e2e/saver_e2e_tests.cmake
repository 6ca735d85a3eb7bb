# End-to-end tests of the saver run: the real Glintra.scr beside the real
# Glintra.dll, the music through the recording stand-in for winmm.
#
# Included by the test folder's CMakeLists, this file registers the tests. Run
# with cmake -P, it is the cursor test itself (below).

if(NOT CMAKE_SCRIPT_MODE_FILE)
  if(WIN32)
    # The run takes the keyboard, the screen and the fixed bitmap path
    # (EXCLUSIVE); its hidden "Glintra_Main" would turn away any other host
    # started meanwhile, so tests that start the host share host_instance.
    file(RELATIVE_PATH _winmm_from_bin ${GLINTRA_BIN_DIR} ${GLINTRA_WINMM_RECORDER_DIR}/winmm.dll)
    string(REPLACE "/" "\\\\" _winmm_from_bin "${_winmm_from_bin}")
    glintra_add_test(saver_win32_e2e_test
      SOURCES saver_win32_e2e_test.cpp win32_child_process.cpp
      LIBS glow_texture user32 advapi32
      DISPLAY EXCLUSIVE TIMEOUT 240)
    target_compile_definitions(saver_win32_e2e_test PRIVATE
      "WINMM_RECORDER_FROM_BIN=\"${_winmm_from_bin}\"")
    add_dependencies(saver_win32_e2e_test glintra_host glintra_renderer winmm_recorder)
    set_property(TEST saver_win32_e2e_test APPEND PROPERTY RESOURCE_LOCK host_instance)

    # Hiding and showing the cursor: Wine's relay trace of the host, limited
    # to user32.ShowCursor (see startup_e2e_tests.cmake). The renderer is a
    # file that can't be started, so each run ends at once.
    if(CMAKE_HOST_UNIX)
      add_test(NAME saver_cursor_e2e_test
               COMMAND ${CMAKE_COMMAND} -DTEST_ENV=${GLINTRA_TEST_ENV}
                       -DTEST_STATE=${GLINTRA_TEST_STATE} -DHOST=$<TARGET_FILE:glintra_host>
                       -DWORK=${CMAKE_CURRENT_BINARY_DIR}/saver-cursor
                       -P ${CMAKE_CURRENT_LIST_FILE})
      set_tests_properties(saver_cursor_e2e_test PROPERTIES
        FIXTURES_REQUIRED test_env TIMEOUT 120 RESOURCE_LOCK host_instance)
    endif()
  endif()
  return()
endif()

# ---- The cursor test (cmake -P) ----
cmake_minimum_required(VERSION 3.20)
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
file(COPY ${HOST} DESTINATION ${WORK})
file(WRITE ${WORK}/Glintra.dll "not a program")
include(${CMAKE_CURRENT_LIST_DIR}/show_cursor_relay.cmake)
set(failures 0)
# Switch, then the ShowCursor flags in call order: a saver run with the
# switch letter S hides the cursor at the start and shows it at the end; an
# empty command line leaves it alone.
foreach(case "/s|0,1" "/S|0,1" "-s|0,1" "xs|0,1" "|")
  string(REPLACE "|" ";" case "${case}")
  list(GET case 0 switch)
  list(GET case 1 expected)
  separate_arguments(arguments NATIVE_COMMAND "${switch}")
  execute_process(COMMAND ${TEST_ENV} run ${TEST_STATE} -- ${WORK}/Glintra.scr ${arguments}
                  OUTPUT_VARIABLE trace ERROR_VARIABLE trace RESULT_VARIABLE status
                  TIMEOUT 30)
  string(REGEX MATCHALL "Call user32\\.ShowCursor\\([0-9a-fA-F]+\\)" calls "${trace}")
  set(flags "")
  foreach(call IN LISTS calls)
    string(REGEX REPLACE ".*\\(0*([0-9a-fA-F]*)\\)" "\\1" flag "${call}")
    if(flag STREQUAL "")
      set(flag 0)
    endif()
    list(APPEND flags ${flag})
  endforeach()
  string(REPLACE ";" "," flags "${flags}")
  if(NOT status EQUAL 0 OR NOT flags STREQUAL expected)
    message(SEND_ERROR "\"${switch}\": status ${status}, ShowCursor flags \"${flags}\"; "
                       "expected \"${expected}\"")
    math(EXPR failures "${failures} + 1")
  else()
    message(STATUS "\"${switch}\": ShowCursor flags \"${flags}\", as expected")
  endif()
endforeach()
file(REMOVE_RECURSE ${WORK})
if(failures GREATER 0)
  message(FATAL_ERROR "${failures} mode(s) wrong")
endif()
