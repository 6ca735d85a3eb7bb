# Start-up and command-line dispatch, and the host program Glintra.scr.

# The switch letter and the preview handle; built natively too, for the tests.
add_library(host_command_line STATIC command_line.cpp)
target_include_directories(host_command_line PUBLIC ${CMAKE_SOURCE_DIR})

if(WIN32)
  # A GUI program (no console window), beside Glintra.dll in bin/.
  add_executable(glintra_host WIN32 winmain_win32.cpp glintra_b.cpp host.rc)
  target_link_libraries(glintra_host PRIVATE host_forms host_command_line host_settings user32)
  # windres records no dependency on the manifest it embeds.
  set_source_files_properties(host.rc PROPERTIES
    OBJECT_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/Glintra.scr.manifest)
  if(MSVC)
    target_link_options(glintra_host PRIVATE /MANIFEST:NO)
  endif()
  set_target_properties(glintra_host PROPERTIES
    OUTPUT_NAME Glintra SUFFIX .scr RUNTIME_OUTPUT_DIRECTORY ${GLINTRA_BIN_DIR})
endif()
