# End-to-end tests of the renderer: the real program on the test's own
# display, driven like a user drives it. The native one writes the fixed
# bitmap path /tmp/q_vane, which every checkout on the machine shares
# (EXCLUSIVE); under Wine C:\q_vane lies in the test's own prefix.
#
# Screenshots go to $GLINTRA_SCREENSHOT_DIR, else the test's working folder
# (this folder of the build); each test prints the paths it wrote.

if(WIN32)
  glintra_add_test(renderer_win32_e2e_test
    SOURCES renderer_win32_e2e_test.cpp animation_checks.cpp
    LIBS win32_test_support glow_texture
    TIMEOUT 240)
  add_dependencies(renderer_win32_e2e_test glintra_renderer)
else()
  glintra_add_test(renderer_x11_e2e_test
    SOURCES renderer_x11_e2e_test.cpp animation_checks.cpp
    LIBS x11_test_support glow_texture
    DISPLAY EXCLUSIVE TIMEOUT 180)
  add_dependencies(renderer_x11_e2e_test glintra_renderer)

  glintra_add_test(error_box_x11_test
    SOURCES error_box_x11_test.cpp
    LIBS x11_test_support error_box
    DISPLAY TIMEOUT 120)
  # The forked boxes check for leaks themselves; system libraries' own
  # one-time allocations are suppressed.
  set_property(TEST error_box_x11_test APPEND PROPERTY ENVIRONMENT
    "LSAN_OPTIONS=print_suppressions=0:suppressions=${CMAKE_CURRENT_SOURCE_DIR}/lsan.supp")
endif()

# The frame pace on a small screen without vsync, both renderers: counted by
# the GL, at most 60 frames a second.
if(CMAKE_HOST_UNIX)
  set(_pace ${CMAKE_CURRENT_SOURCE_DIR}/renderer_pace_e2e_test.sh)
  if(WIN32)
    glintra_add_command_test(renderer_pace_win32_e2e_test
      COMMAND ${_pace} windows ${GLINTRA_TEST_ENV} $<TARGET_FILE:glintra_renderer>
              $<TARGET_FILE:glintra_make_glow>
      SCREEN 320x240 TIMEOUT 90)
  else()
    glintra_add_command_test(renderer_pace_x11_e2e_test
      COMMAND ${_pace} native $<TARGET_FILE:glintra_renderer> $<TARGET_FILE:glintra_make_glow>
      DISPLAY EXCLUSIVE SCREEN 320x240 TIMEOUT 90)
  endif()
endif()
