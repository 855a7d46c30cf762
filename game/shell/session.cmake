# The session: live play, recording, playback and timedemo, and frame timing;
# demos replayed without a window (--verify, a best run's check).
target_sources(vellin_shell PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/session.cpp ${CMAKE_CURRENT_LIST_DIR}/frame_times.cpp
  ${CMAKE_CURRENT_LIST_DIR}/replay.cpp ${CMAKE_CURRENT_LIST_DIR}/verify.cpp)

vellin_add_test(NAME frame_times_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/frame_times_test.cpp LIBS vellin_shell)
