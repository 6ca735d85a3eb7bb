# End-to-end tests of the preview: the real Glintra.scr inside a window of the
# test's own. The still it checks is saved to $GLINTRA_SCREENSHOT_DIR, else
# the test's working folder.
if(WIN32)
  glintra_add_test(preview_win32_e2e_test
    SOURCES preview_win32_e2e_test.cpp
    LIBS win32_test_support
    TIMEOUT 180)
  add_dependencies(preview_win32_e2e_test glintra_host glintra_renderer)
endif()
