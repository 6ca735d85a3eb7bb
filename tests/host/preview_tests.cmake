# The preview (host/saver/glintra_r, preview_layout): the sizes natively; the
# form's painting under Wine in the test's own process; the real host end to
# end (tests/e2e/preview*).
if(NOT WIN32)
  glintra_add_test(preview_layout_test SOURCES preview_layout_test.cpp LIBS host_preview_layout)
else()
  glintra_add_test(preview_form_win32_test
    SOURCES preview_form_win32_test.cpp
            ${CMAKE_SOURCE_DIR}/host/saver/glintra_r.cpp
            ${CMAKE_SOURCE_DIR}/host/resources/preview_pictures.rc
    LIBS win32_test_support host_forms host_preview_layout)
  set_source_files_properties(${CMAKE_SOURCE_DIR}/host/resources/preview_pictures.rc PROPERTIES
    OBJECT_DEPENDS ${CMAKE_SOURCE_DIR}/host/resources/preview.bmp)
  # ShowPreviewIn ends the process, with status 0, when it finds no window;
  # the test runner counts an end in the middle of the tests as a failure.
endif()
