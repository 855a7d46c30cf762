# Pause and its menu, the notes over play, the focus pause, and the signals
# that end the game as Escape does.
target_sources(vellin_shell PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/pause.cpp ${CMAKE_CURRENT_LIST_DIR}/menu_feed.cpp
  ${CMAKE_CURRENT_LIST_DIR}/flat_text.cpp ${CMAKE_CURRENT_LIST_DIR}/notes.cpp
  ${CMAKE_CURRENT_LIST_DIR}/quit_signals.cpp)
