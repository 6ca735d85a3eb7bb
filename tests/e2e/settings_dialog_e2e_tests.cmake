# The settings dialog's layout on the screen: the real Glintra.scr /c beside
# the real Glintra.dll, at the prefix's 96 dpi and, through
# with_screen_dpi.cmake, at 120 and 144 dpi.
if(WIN32)
  glintra_add_test(settings_dialog_layout_win32_e2e_test
    SOURCES settings_dialog_layout_win32_e2e_test.cpp win32_child_process.cpp program_folder.cpp
            screen_image.cpp win32_screen.cpp
    LIBS host_settings_dialog_core user32 gdi32
    TIMEOUT 180)
  add_dependencies(settings_dialog_layout_win32_e2e_test glintra_host glintra_renderer)
  if(CMAKE_HOST_UNIX)
    foreach(dpi 120 144)
      glintra_add_command_test(settings_dialog_layout_win32_e2e_test_${dpi}dpi
        COMMAND ${CMAKE_COMMAND} -DTEST_ENV=${GLINTRA_TEST_ENV} -DDPI=${dpi}
                -DPROGRAM=$<TARGET_FILE:settings_dialog_layout_win32_e2e_test>
                -P ${CMAKE_CURRENT_SOURCE_DIR}/with_screen_dpi.cmake
        TIMEOUT 180)
    endforeach()
  endif()
endif()
