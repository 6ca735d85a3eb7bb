# Start-up (host/app): the command line's switch letter and preview handle.
if(NOT WIN32)
  glintra_add_test(command_line_test SOURCES command_line_test.cpp LIBS host_command_line)
endif()
