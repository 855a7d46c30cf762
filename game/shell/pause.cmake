# Pause and its menu, the focus pause, and the signals that end the game as Escape does.
target_sources(vellin_shell PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/pause.cpp ${CMAKE_CURRENT_LIST_DIR}/menu.cpp
  ${CMAKE_CURRENT_LIST_DIR}/quit_signals.cpp)
