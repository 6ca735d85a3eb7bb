# The bitmap loader. dib_loader_test runs the shared test bitmaps through
# LoadDibAsRgb: natively the portable back end, on Windows (under Wine) the
# GDI one, where it also holds GDI to the portable decoder over the fuzzing
# corpus. ShowErrorBox is the recording definition, never the real box.
set(_dib_loader_sources
  dib_loader_test.cpp
  dib_test_files.cpp
  ${CMAKE_SOURCE_DIR}/tests/support/recording_error_box.cpp)
if(WIN32)
  list(APPEND _dib_loader_sources dib_agreement_test.cpp)
endif()
glintra_add_test(dib_loader_test SOURCES ${_dib_loader_sources} LIBS dib_loader)

# The portable decoder on its own, and every file of the fuzzing corpus
# through it, so that a regression the fuzzer once found shows in every run.
if(NOT WIN32)
  glintra_add_test(dib_decode_test
    SOURCES dib_decode_test.cpp dib_test_files.cpp
    LIBS dib_decode)
  glintra_add_test(dib_corpus_test
    SOURCES dib_corpus_test.cpp dib_test_files.cpp
    LIBS dib_decode)
endif()
