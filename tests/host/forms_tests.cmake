# The form toolkit: its portable half natively, the windows under Wine.
if(WIN32)
  # Some cases watch a child copy of the program end the process; the program
  # has its own main for that.
  glintra_add_test(forms_win32_test
    SOURCES forms_win32_test.cpp
            ${CMAKE_SOURCE_DIR}/tests/e2e/screen_image.cpp
            ${CMAKE_SOURCE_DIR}/tests/e2e/win32_child_process.cpp
            ${CMAKE_SOURCE_DIR}/tests/e2e/win32_input.cpp
            ${CMAKE_SOURCE_DIR}/tests/e2e/win32_screen.cpp
    LIBS host_forms
    NO_GTEST_MAIN DISPLAY EXCLUSIVE)
else()
  glintra_add_test(forms_application_paths_test
    SOURCES forms_application_paths_test.cpp
    LIBS host_forms_core)
  glintra_add_test(forms_portable_test SOURCES forms_portable_test.cpp LIBS host_forms_core)
endif()
