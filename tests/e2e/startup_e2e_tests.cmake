# End-to-end tests of the host's start-up: the real Glintra.scr beside the
# real Glintra.dll.
if(WIN32)
  # Modes, windows and the renderer message, driven from a Windows program
  # that copies both programs into a folder of its own.
  glintra_add_test(startup_win32_e2e_test
    SOURCES startup_win32_e2e_test.cpp
    LIBS win32_test_support
    TIMEOUT 240)
  add_dependencies(startup_win32_e2e_test glintra_host glintra_renderer)

  # Whether a mode hides the cursor, and a saver run shows it again; whether
  # the renderer may take the foreground: the host ends right after, and
  # Wine does not enforce the foreground rules, so only a trace of the calls
  # tells. Wine's relay trace goes to the Wine process's own standard error,
  # which only a Unix-side runner can read.
  if(CMAKE_HOST_UNIX)
    glintra_add_command_test(host_calls_e2e_test
      COMMAND ${CMAKE_COMMAND} -DTEST_ENV=${GLINTRA_TEST_ENV} -DHOST=$<TARGET_FILE:glintra_host>
              -DRENDERER_STAND_IN=$<TARGET_FILE:renderer_stand_in>
              -P ${CMAKE_CURRENT_SOURCE_DIR}/host_calls_e2e_test.cmake)
  endif()
endif()
