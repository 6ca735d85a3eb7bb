# Runs the Windows program PROGRAM in the test's own environment (cmake -P,
# see settings_dialog_e2e_tests.cmake) with the screen's logical resolution
# set to DPI dots per inch: Wine reads it, when a program starts, from the
# value LogPixels under HKCU\Control Panel\Desktop, as winecfg sets it. The
# program learns the resolution it is about from GLINTRA_SCREEN_DPI.
cmake_minimum_required(VERSION 3.20)
set(state "$ENV{GLINTRA_TEST_ENV_STATE}")
if(NOT state OR NOT TEST_ENV OR NOT DPI OR NOT PROGRAM)
  message(FATAL_ERROR "run by ctest, through scripts/test-env.sh isolate")
endif()
execute_process(
  COMMAND ${TEST_ENV} run ${state} -- reg.exe add "HKCU\\Control Panel\\Desktop"
          /v LogPixels /t REG_DWORD /d ${DPI} /f
  RESULT_VARIABLE status OUTPUT_VARIABLE said ERROR_VARIABLE said)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "reg.exe could not set LogPixels in the test's prefix "
                      "(status ${status}): ${said}")
endif()
set(ENV{GLINTRA_SCREEN_DPI} ${DPI})
execute_process(COMMAND ${TEST_ENV} run ${state} -- ${PROGRAM} RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${PROGRAM} at ${DPI} dpi: status ${status}")
endif()
