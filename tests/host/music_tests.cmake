# The music player (host/music): its procedures natively against simulated
# devices; under Wine, the winmm glue through a recording stand-in for winmm
# and once through Wine's own winmm.
if(NOT WIN32)
  glintra_add_test(music_player_test
    SOURCES music_player_test.cpp music_simulated_devices.cpp
    LIBS host_music)
endif()

if(WIN32)
  # The recording stand-in for winmm (winmm_recorder/winmm_recorder.cpp says
  # how it logs and how it is scripted). It is built as winmm.dll into
  # ${GLINTRA_WINMM_RECORDER_DIR}, away from the programs that must meet the
  # real winmm; glintra_beside_winmm_recorder(<target>) copies it next to a
  # program that a test runs under it. The test then starts that program
  # with winmm overridden to native first: a WinmmRecorderOverride
  # (winmm_recorder/winmm_recorder_override.h) from a Windows test program,
  # or "winmm=n,b" in WINEDLLOVERRIDES when wine itself is started.
  set(GLINTRA_WINMM_RECORDER_DIR ${CMAKE_BINARY_DIR}/winmm-recorder CACHE INTERNAL "")
  add_library(winmm_recorder MODULE winmm_recorder/winmm_recorder.cpp)
  set_target_properties(winmm_recorder PROPERTIES
    OUTPUT_NAME winmm PREFIX "" SUFFIX ".dll"
    LIBRARY_OUTPUT_DIRECTORY ${GLINTRA_WINMM_RECORDER_DIR})

  function(glintra_beside_winmm_recorder target)
    add_dependencies(${target} winmm_recorder)
    add_custom_command(TARGET ${target} POST_BUILD
      COMMAND ${CMAKE_COMMAND} -E copy_if_different
              $<TARGET_FILE:winmm_recorder> $<TARGET_FILE_DIR:${target}>)
  endfunction()

  # The procedures over the real glue, in a folder of their own with the
  # stand-in; music_win32_test starts it from there.
  add_executable(music_recorder_driver music_recorder_driver.cpp)
  target_link_libraries(music_recorder_driver PRIVATE host_music)
  set_target_properties(music_recorder_driver PROPERTIES
    RUNTIME_OUTPUT_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/music-recorder)
  glintra_beside_winmm_recorder(music_recorder_driver)

  glintra_add_test(music_win32_test SOURCES music_win32_test.cpp LIBS host_music advapi32)
  add_dependencies(music_win32_test music_recorder_driver)
endif()
