# The host's ShowCursor calls in each mode, COM on its user-interface thread,
# and its leave for the renderer to take the foreground (cmake -P, inside the test's own environment; see
# startup_e2e_tests.cmake): Wine's relay trace of the host, limited to those
# functions by RelayInclude in the test's own prefix. The renderer beside
# the host is a file that can't be started, or a stand-in that ends at once,
# so each saver run ends at once.
cmake_minimum_required(VERSION 3.20)
set(state "$ENV{GLINTRA_TEST_ENV_STATE}")
if(NOT state OR NOT TEST_ENV OR NOT HOST OR NOT RENDERER_STAND_IN)
  message(FATAL_ERROR "run by ctest, through scripts/test-env.sh isolate")
endif()
set(work ${state}/show-cursor)
file(MAKE_DIRECTORY ${work})
file(COPY ${HOST} DESTINATION ${work})
file(WRITE ${work}/Glintra.dll "not a program")

execute_process(
  COMMAND ${TEST_ENV} run ${state} -- reg.exe add "HKCU\\Software\\Wine\\Debug"
          /v RelayInclude /t REG_SZ
          /d user32.ShowCursor\;user32.AllowSetForegroundWindow\;combase.CoInitializeEx\;combase.CoUninitialize /f
  RESULT_VARIABLE status OUTPUT_VARIABLE said ERROR_VARIABLE said)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "reg.exe could not set RelayInclude in the test's prefix "
                      "(status ${status}): ${said}")
endif()
set(ENV{WINEDEBUG} "+relay")

set(failures 0)
# Switch, then the ShowCursor flags in call order. A saver run with the switch
# letter S hides the cursor at its start and shows it at its end; an empty
# command line runs the saver and leaves the cursor alone; the other modes end
# before the cursor is touched. (The settings dialog, which stays open, is
# the dialog's own tests' business.)
foreach(case "/s|0,1" "/S|0,1" "-s|0,1" "xs|0,1" "|" "/a|" "/p 1234|")
  string(REPLACE "|" ";" case "${case}")
  list(GET case 0 switch)
  list(GET case 1 expected)
  separate_arguments(arguments NATIVE_COMMAND "${switch}")
  execute_process(COMMAND ${TEST_ENV} run ${state} -- ${work}/Glintra.scr ${arguments}
                  OUTPUT_VARIABLE trace ERROR_VARIABLE trace RESULT_VARIABLE status
                  TIMEOUT 60)
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
  # COM on the user-interface thread, apartment-threaded without OLE1 DDE
  # (6), once, and released at the end. (ole32 passes the calls on to
  # combase; Wine's imm32 makes calls of its own, with other flags.)
  string(REGEX MATCHALL "Call combase\\.CoInitializeEx\\([0-9a-fA-F]+,0*6\\)" initialized "${trace}")
  list(LENGTH initialized initializedCount)
  string(FIND "${trace}" "Call combase.CoInitializeEx" firstInit)
  string(FIND "${trace}" "Call combase.CoUninitialize()" lastRelease REVERSE)
  if(NOT initializedCount EQUAL 1 OR lastRelease LESS firstInit)
    message(SEND_ERROR "\"${switch}\": COM initialised ${initializedCount} times for the "
                       "user-interface thread, or not released after")
    math(EXPR failures "${failures} + 1")
  endif()
  if(NOT status EQUAL 0 OR NOT flags STREQUAL expected)
    message(SEND_ERROR "\"${switch}\": the host ended with status ${status} after ShowCursor "
                       "calls with the flags \"${flags}\"; expected status 0 and \"${expected}\"")
    math(EXPR failures "${failures} + 1")
  else()
    message(STATUS "\"${switch}\": ShowCursor flags \"${flags}\", as expected")
  endif()
endforeach()

# The host shows no window, so Windows would let the renderer's window come
# to the foreground only with the host's leave: given to the very process it
# started, which leaves its process id beside itself.
file(COPY_FILE ${RENDERER_STAND_IN} ${work}/Glintra.dll)
execute_process(COMMAND ${TEST_ENV} run ${state} -- ${work}/Glintra.scr /s
                OUTPUT_VARIABLE trace ERROR_VARIABLE trace RESULT_VARIABLE status TIMEOUT 60)
file(READ ${work}/renderer.pid pid)
string(REGEX MATCHALL "Call user32\\.AllowSetForegroundWindow\\([0-9a-fA-F]+\\)" calls "${trace}")
set(allowed "")
foreach(call IN LISTS calls)
  string(REGEX REPLACE ".*\\(0*([0-9a-fA-F]*)\\)" "\\1" hex "${call}")
  math(EXPR id "0x0${hex}")
  list(APPEND allowed ${id})
endforeach()
if(NOT status EQUAL 0 OR NOT allowed STREQUAL "${pid}")
  message(SEND_ERROR "/s with a renderer of process ${pid}: the host ended with status ${status} "
                     "after allowing the foreground to \"${allowed}\"; expected status 0 and \"${pid}\"")
  math(EXPR failures "${failures} + 1")
else()
  message(STATUS "/s: the foreground allowed to the renderer's process ${pid}, as expected")
endif()

if(failures GREATER 0)
  message(FATAL_ERROR "${failures} case(s) wrong")
endif()
