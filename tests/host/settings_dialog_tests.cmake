# The settings dialog's portable half (host/settings_dialog) and its mark
# pictures, natively.
if(NOT WIN32)
  glintra_add_test(settings_dialog_test
    SOURCES settings_dialog_gradient_test.cpp settings_dialog_layout_test.cpp
            settings_dialog_rules_test.cpp dialog_pictures_test.cpp
    LIBS host_settings_dialog_core mark_pictures)
endif()
