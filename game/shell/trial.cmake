# Time trial in the game: the run's steps, its demo, the ghost and the best.
target_sources(vellin_shell PRIVATE ${CMAKE_CURRENT_LIST_DIR}/trial_play.cpp)
target_link_libraries(vellin_shell PUBLIC vellin_trial)

vellin_add_test(NAME trial_play_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/trial_play_test.cpp
  LIBS vellin_shell LABELS trial)
target_compile_definitions(trial_play_test
  PRIVATE VELLIN_PHYSICS_DATA="${CMAKE_CURRENT_LIST_DIR}/tests/data")
