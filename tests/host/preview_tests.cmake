# The preview (host/preview): the sizes natively; the
# form's painting under Wine in the test's own process; the real host end to
# end (tests/e2e/preview*).
if(NOT WIN32)
  glintra_add_test(preview_layout_test SOURCES preview_layout_test.cpp LIBS host_preview_layout)
else()
  glintra_add_test(preview_form_win32_test
    SOURCES preview_form_win32_test.cpp
    LIBS win32_test_support host_preview)
  # ShowPreviewIn ends the process, with status 0, when it finds no window;
  # the test runner counts an end in the middle of the tests as a failure.
endif()
