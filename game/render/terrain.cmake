target_sources(vellin_render PRIVATE ${CMAKE_CURRENT_LIST_DIR}/terrain.cpp
                                     ${CMAKE_CURRENT_LIST_DIR}/stage_lists.cpp)

vellin_add_test(NAME terrain_draw_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/terrain_draw_test.cpp
                LIBS vellin_render GL LABELS render)
