if(WIN32)
  # The settings dialog's layout on the screen: the real Glintra.scr /c beside
  # the real Glintra.dll, at the prefix's 96 dpi and, through
  # with_screen_dpi.cmake, at 120 and 144 dpi.
  glintra_add_test(settings_dialog_layout_win32_e2e_test
    SOURCES settings_dialog_layout_win32_e2e_test.cpp
    LIBS win32_test_support host_settings_dialog_core
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

  # The dialog's behaviour: the real Glintra.scr started with /c beside a
  # prepared Glintra.ini, driven by real input. Every case under code page
  # 932; the file chooser's texts and paths again under 1252.
  glintra_add_test(settings_dialog_win32_e2e_test
    SOURCES settings_dialog_win32_e2e_test.cpp
    LIBS win32_test_support host_settings_dialog_core button_faces advapi32 shell32
    NO_GTEST_MAIN TIMEOUT 300)
  add_dependencies(settings_dialog_win32_e2e_test glintra_host glintra_renderer)

  # C.UTF-8 gives Windows programs code page 1252 and Wine UTF-8 file names
  # on the Unix side, so files with Japanese or accented names can be made
  # (without an installed locale, as en_US.UTF-8 is not here, they can't).
  if(CMAKE_HOST_UNIX)
    glintra_add_command_test(settings_dialog_win32_e2e_test_cp1252
      COMMAND $<TARGET_FILE:settings_dialog_win32_e2e_test> --gtest_filter=SettingsDialogChooser.*
      TIMEOUT 180
      ENVIRONMENT "GLINTRA_LOCALE=C.UTF-8")
    # Windows 10 and 11 may have UTF-8 as the ANSI code page; a Unicode-only
    # locale gives Wine's programs that one.
    glintra_add_command_test(settings_dialog_win32_e2e_test_cp65001
      COMMAND $<TARGET_FILE:settings_dialog_win32_e2e_test>
              --gtest_filter=SettingsDialogChooser.*:SettingsDialog.TypedRepeatText*
      TIMEOUT 180
      ENVIRONMENT "GLINTRA_LOCALE=hi_IN.UTF-8")
  endif()
endif()
