# The settings file: its portable rules join the shared variables in
# host_settings_core (built natively too, for the unit tests); the profile
# functions behind them are Windows only.
target_sources(host_settings_core PRIVATE settings_conversion.cpp)

if(WIN32)
  # AppFolder() comes from host_forms, which the program links; the tests
  # link a definition of their own that points at a folder they made.
  add_library(host_settings STATIC settings_win32.cpp)
  target_link_libraries(host_settings PUBLIC host_settings_core kernel32)
endif()
