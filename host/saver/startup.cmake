# Start-up and command-line dispatch, and the host program Glintra.scr.

# The switch letter and the preview handle; built natively too, for the tests.
add_library(host_command_line STATIC command_line.cpp)
target_include_directories(host_command_line PUBLIC ${CMAKE_SOURCE_DIR})

if(WIN32)
  # A GUI program (no console window), beside Glintra.dll in bin/.
  add_executable(glintra_host WIN32 winmain_win32.cpp glintra_b.cpp host.rc)
  target_link_libraries(glintra_host PRIVATE host_forms host_command_line host_settings user32
                                             glintra_version)
  # windres records no dependency on the files it embeds or includes.
  set_source_files_properties(host.rc PROPERTIES
    OBJECT_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/Glintra.scr.manifest;${CMAKE_SOURCE_DIR}/host/resources/version_info.rc;${CMAKE_BINARY_DIR}/generated/glintra_version.h;${CMAKE_SOURCE_DIR}/host/resources/host_icon.rc;${CMAKE_SOURCE_DIR}/host/resources/Glintra.ico")
  if(MSVC)
    target_link_options(glintra_host PRIVATE /MANIFEST:NO)
  endif()
  set_target_properties(glintra_host PROPERTIES
    OUTPUT_NAME Glintra SUFFIX .scr RUNTIME_OUTPUT_DIRECTORY ${GLINTRA_BIN_DIR})
endif()

# The saver run: the renderer watch's rule, built natively too for its tests,
# and the saver form with its glow picture.
add_library(host_saver_watch STATIC saver_watch.cpp)
target_include_directories(host_saver_watch PUBLIC ${CMAKE_SOURCE_DIR})
if(WIN32)
  target_sources(glintra_host PRIVATE glintra_s.cpp link_safe_file_win32.cpp monitor_covers_win32.cpp
                 ${CMAKE_SOURCE_DIR}/host/resources/saver_pictures.rc)
  target_link_libraries(glintra_host PRIVATE host_saver_watch host_music)
  # windres records no dependency on the bitmap it embeds.
  set_source_files_properties(${CMAKE_SOURCE_DIR}/host/resources/saver_pictures.rc PROPERTIES
    OBJECT_DEPENDS ${CMAKE_SOURCE_DIR}/host/resources/glow.bmp)
endif()

# The preview: its sizes, built natively too for their tests, and the preview
# form with its still.
add_library(host_preview_layout STATIC preview_layout.cpp)
target_include_directories(host_preview_layout PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(host_preview_layout PUBLIC host_forms_core)
if(WIN32)
  target_sources(glintra_host PRIVATE glintra_r.cpp ${CMAKE_SOURCE_DIR}/host/resources/preview_pictures.rc)
  target_link_libraries(glintra_host PRIVATE host_preview_layout gdi32)
  # windres records no dependency on the bitmap it embeds.
  set_source_files_properties(${CMAKE_SOURCE_DIR}/host/resources/preview_pictures.rc PROPERTIES
    OBJECT_DEPENDS ${CMAKE_SOURCE_DIR}/host/resources/preview.bmp)
endif()
