# The music player (host/music): natively against simulated devices; under
# Wine, through Wine's own winmm. The recording stand-in for winmm that the
# saver run's end-to-end tests observe the music through is built here.
if(NOT WIN32)
  glintra_add_test(music_player_test
    SOURCES music_player_test.cpp music_simulated_devices.cpp
    LIBS host_music)
endif()

if(WIN32)
  # The recording stand-in for winmm (winmm_recorder/winmm_recorder.cpp says
  # how it logs and how it is scripted), built as winmm.dll into
  # ${GLINTRA_WINMM_RECORDER_DIR}, away from the programs that must meet the
  # real winmm. A test copies it beside the program it runs under it and
  # makes winmm native first for that program (WinmmRecorderOverride in
  # winmm_recorder/winmm_recorder_override.h).
  set(GLINTRA_WINMM_RECORDER_DIR ${CMAKE_BINARY_DIR}/winmm-recorder CACHE INTERNAL "")
  add_library(winmm_recorder MODULE winmm_recorder/winmm_recorder.cpp)
  set_target_properties(winmm_recorder PROPERTIES
    OUTPUT_NAME winmm PREFIX "" SUFFIX ".dll"
    LIBRARY_OUTPUT_DIRECTORY ${GLINTRA_WINMM_RECORDER_DIR})

  glintra_add_test(music_win32_test SOURCES music_win32_test.cpp LIBS host_music)
endif()
