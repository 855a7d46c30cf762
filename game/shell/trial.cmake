# Time trial in the game: the run's steps, its demo, the ghost and the best;
# each stage's best time for the Stages screen.
target_sources(vellin_shell PRIVATE ${CMAKE_CURRENT_LIST_DIR}/trial_play.cpp
                                    ${CMAKE_CURRENT_LIST_DIR}/trial_draw.cpp
                                    ${CMAKE_CURRENT_LIST_DIR}/stage_best.cpp)
target_link_libraries(vellin_shell PUBLIC vellin_trial)

vellin_add_test(NAME trial_play_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/trial_play_test.cpp
  LIBS vellin_shell LABELS trial)
target_compile_definitions(trial_play_test
  PRIVATE VELLIN_PHYSICS_DATA="${CMAKE_CURRENT_LIST_DIR}/tests/data")
# The jungle's crossing is a key script: make_demo's reader turns it into steps.
target_link_libraries(trial_play_test PRIVATE make_demo_lib)
target_compile_definitions(trial_play_test
  PRIVATE VELLIN_TRIAL_DATA="${PROJECT_SOURCE_DIR}/game/trial/tests")

vellin_add_test(NAME ghost_draw_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/ghost_draw_test.cpp
                LIBS vellin_shell GL LABELS trial)
target_compile_definitions(ghost_draw_test PRIVATE VELLIN_ASSETS="${PROJECT_SOURCE_DIR}/assets")
