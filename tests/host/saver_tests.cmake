# The saver run (host/saver): the renderer watch's rule natively; the form
# itself end to end (tests/e2e/saver*).
if(NOT WIN32)
  glintra_add_test(renderer_watch_test SOURCES renderer_watch_test.cpp LIBS host_renderer_watch)
endif()
