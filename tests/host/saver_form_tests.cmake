# The saver run (host/saver/glintra_s, saver_watch): the watch's rule and the
# embedded glow picture natively; the form itself end to end (tests/e2e/saver*).
if(NOT WIN32)
  glintra_add_test(saver_watch_test SOURCES saver_watch_test.cpp LIBS host_saver_watch glow_texture)
endif()
