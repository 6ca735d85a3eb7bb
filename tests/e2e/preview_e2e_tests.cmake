# End-to-end tests of the preview: the real Glintra.scr inside a window of the
# test's own. Its windows on the shared screen would spoil the pictures of the
# tests that judge the whole screen, so it runs alone (EXCLUSIVE). The still
# it checks is saved to $GLINTRA_SCREENSHOT_DIR, else the test's working folder.
if(WIN32)
  glintra_add_test(preview_win32_e2e_test
    SOURCES preview_win32_e2e_test.cpp win32_child_process.cpp screen_image.cpp
    LIBS user32 gdi32
    DISPLAY EXCLUSIVE TIMEOUT 180)
  add_dependencies(preview_win32_e2e_test glintra_host glintra_renderer)
  # A saver run's hidden "Glintra_Main" meanwhile would turn the host away.
  set_property(TEST preview_win32_e2e_test APPEND PROPERTY RESOURCE_LOCK host_instance)
endif()
