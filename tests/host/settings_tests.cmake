# The settings file. Natively: the number and path rules and the order and
# fallbacks of loading. Under Wine: the same through the real ANSI profile
# functions and real files, with code pages 932, 1252 and 65001, to
# show that the file's bytes don't depend on the system's code page.
if(NOT WIN32)
  glintra_add_test(settings_conversion_test
    SOURCES settings_conversion_test.cpp settings_load_rules_test.cpp ini_text_test.cpp
    LIBS host_settings_core)
endif()

if(WIN32)
  # AppFolder() is the test's own (settings_test_app_folder.cpp).
  glintra_add_test(settings_win32_test
    SOURCES settings_win32_test.cpp settings_test_app_folder.cpp
    LIBS win32_test_support host_settings)
  set_property(TEST settings_win32_test APPEND PROPERTY ENVIRONMENT GLINTRA_EXPECT_ACP=932)

  # The same program with ANSI code page 1252 and with UTF-8 (the test
  # environment's GLINTRA_LOCALE), held to the same bytes.
  if(CMAKE_HOST_UNIX)
    glintra_add_command_test(settings_win32_test_cp1252
      COMMAND $<TARGET_FILE:settings_win32_test>
      ENVIRONMENT GLINTRA_LOCALE=en_US.UTF-8 GLINTRA_EXPECT_ACP=1252)
    glintra_add_command_test(settings_win32_test_cp65001
      COMMAND $<TARGET_FILE:settings_win32_test>
      ENVIRONMENT GLINTRA_LOCALE=hi_IN.UTF-8 GLINTRA_EXPECT_ACP=65001)
  endif()
endif()
