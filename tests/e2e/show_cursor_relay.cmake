# For the cursor tests (cmake -P): makes Wine trace every ShowCursor call of
# the programs started from here, on standard error. Needs TEST_ENV and
# TEST_STATE.
execute_process(
  COMMAND ${TEST_ENV} run ${TEST_STATE} -- reg.exe add "HKCU\\Software\\Wine\\Debug"
          /v RelayInclude /t REG_SZ /d user32.ShowCursor /f
  RESULT_VARIABLE status OUTPUT_QUIET ERROR_QUIET)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "cannot set RelayInclude in the test prefix")
endif()
set(ENV{WINEDEBUG} "+relay")
