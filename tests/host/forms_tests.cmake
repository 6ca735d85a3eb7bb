# The form toolkit: its portable half natively, the windows under Wine.
if(WIN32)
  # Some cases watch a child copy of the program end the process; the program
  # has its own main for that.
  glintra_add_test(forms_win32_test
    SOURCES forms_win32_test.cpp
            ${CMAKE_SOURCE_DIR}/host/resources/host_icon.rc
    LIBS win32_test_support host_forms
    NO_GTEST_MAIN DISPLAY)
else()
  glintra_add_test(forms_application_paths_test
    SOURCES forms_application_paths_test.cpp
    LIBS host_forms_core)
  glintra_add_test(forms_portable_test SOURCES forms_portable_test.cpp LIBS host_forms_core)
  glintra_add_test(decimal_number_test SOURCES decimal_number_test.cpp LIBS host_forms_core)
  # The decimal reader's fuzzing corpus (tests/fuzz/corpus/decimal) through
  # the fuzzer's differential check, so that what it once found shows in every run.
  glintra_add_test(decimal_corpus_test
    SOURCES decimal_corpus_test.cpp ${CMAKE_SOURCE_DIR}/tests/fuzz/decimal_number_check.cpp
    LIBS host_forms_core)
endif()

# The strict conversion to the ANSI code page, with code pages 932 and 1252.
if(WIN32)
  glintra_add_test(forms_text_win32_test SOURCES forms_text_win32_test.cpp LIBS host_forms)
  if(CMAKE_HOST_UNIX)
    glintra_add_command_test(forms_text_win32_test_cp1252
      COMMAND $<TARGET_FILE:forms_text_win32_test>
      ENVIRONMENT GLINTRA_LOCALE=en_US.UTF-8)
  endif()
endif()
