# The form toolkit: its portable half natively, the windows under Wine.
if(WIN32)
  # Some cases watch a child copy of the program end the process; the program
  # has its own main for that.
  glintra_add_test(forms_win32_test
    SOURCES forms_win32_test.cpp
    LIBS host_forms
    NO_GTEST_MAIN)
else()
  glintra_add_test(forms_application_paths_test
    SOURCES forms_application_paths_test.cpp
    LIBS host_forms_core)
endif()
