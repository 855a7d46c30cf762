target_sources(vellin_core PRIVATE ${CMAKE_CURRENT_LIST_DIR}/terrain.cpp
                                   ${CMAKE_CURRENT_LIST_DIR}/stage_lists.cpp)

vellin_add_test(NAME terrain_draw_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/terrain_draw_test.cpp
                LIBS vellin_core GL LABELS render)
vellin_add_test(NAME stage_lists_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/stage_lists_test.cpp
                LIBS vellin_core GL LABELS render WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}/assets)
