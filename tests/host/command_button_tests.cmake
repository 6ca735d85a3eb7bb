# The Command button (host/command_button): its rules and face pictures
# natively; the control under Wine, shown and driven by real input on a
# display of its own.
if(NOT WIN32)
  glintra_add_test(command_button_rules_test
    SOURCES command_button_rules_test.cpp button_faces_test.cpp
    LIBS host_command_button_core button_faces)
else()
  glintra_add_test(command_button_win32_test
    SOURCES command_button_win32_test.cpp
    LIBS win32_test_support host_command_button button_faces
    NO_GTEST_MAIN DISPLAY TIMEOUT 300)
endif()
