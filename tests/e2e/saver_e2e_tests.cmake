# End-to-end tests of the saver run: the real Glintra.scr beside the real
# Glintra.dll, the music through the recording stand-in for winmm. (The
# cursor's hiding and showing: host_calls_e2e_test, startup_e2e_tests.cmake.)
if(WIN32)
  file(RELATIVE_PATH _winmm_from_bin ${GLINTRA_BIN_DIR} ${GLINTRA_WINMM_RECORDER_DIR}/winmm.dll)
  string(REPLACE "/" "\\\\" _winmm_from_bin "${_winmm_from_bin}")
  glintra_add_test(saver_win32_e2e_test
    SOURCES saver_win32_e2e_test.cpp
    LIBS win32_test_support glow_texture advapi32
    TIMEOUT 240)
  target_compile_definitions(saver_win32_e2e_test PRIVATE
    "WINMM_RECORDER_FROM_BIN=\"${_winmm_from_bin}\"")
  add_dependencies(saver_win32_e2e_test glintra_host glintra_renderer winmm_recorder)
  # The whole run under UTF-8 as the ANSI code page (a Unicode-only locale).
  if(CMAKE_HOST_UNIX)
    glintra_add_command_test(saver_win32_e2e_test_cp65001
      COMMAND $<TARGET_FILE:saver_win32_e2e_test>
              --gtest_filter=SaverTest.RunsTheRenderer*:SaverMusicTest.Mp3*
      TIMEOUT 120
      ENVIRONMENT "GLINTRA_LOCALE=hi_IN.UTF-8")
  endif()
endif()

# A saver run on a desk of three monitors of different sizes, with a window
# manager; input through the X server (the X11 desktop probe).
if(WIN32 AND CMAKE_HOST_UNIX)
  glintra_add_test(saver_monitors_win32_e2e_test
    SOURCES saver_monitors_win32_e2e_test.cpp
    LIBS win32_test_support
    MONITORS 1024x768,800x600,640x480
    TIMEOUT 180)
  target_compile_definitions(saver_monitors_win32_e2e_test PRIVATE
    "GLINTRA_X11_PROBE=\"${GLINTRA_X11_PROBE}\"")
  add_dependencies(saver_monitors_win32_e2e_test glintra_host glintra_renderer x11_desktop_probe)
endif()
