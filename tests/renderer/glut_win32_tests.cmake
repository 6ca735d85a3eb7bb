# Our GLUT subset over Win32 and WGL (Windows build only): one program under
# Wine that makes a real window, takes the keyboard focus and moves the mouse
# on its own display. It carries the renderer's manifest, to see what the
# manifest does to a process.
if(WIN32)
  glintra_add_test(glut_win32_test
    SOURCES glut_win32_test.cpp glut_win32_test.rc
    LIBS win32_test_support glut_win32
    NO_GTEST_MAIN)
  # windres names no dependency on the files that a resource script embeds.
  set_source_files_properties(glut_win32_test.rc PROPERTIES
    OBJECT_DEPENDS ${CMAKE_SOURCE_DIR}/renderer/Glintra.dll.manifest)
  if(MSVC)
    # The manifest comes from the resource script, not from the linker.
    target_link_options(glut_win32_test PRIVATE /MANIFEST:NO)
  endif()

  # The same program's full-screen frames as X shows them (ImageMagick).
  if(CMAKE_HOST_UNIX)
    glintra_add_command_test(glut_win32_screen_test
      COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/glut_win32_screen_test.sh
              ${GLINTRA_TEST_ENV} $<TARGET_FILE:glut_win32_test>
      TIMEOUT 120)
  endif()
endif()
