target_sources(vellin_core PRIVATE ${CMAKE_CURRENT_LIST_DIR}/terrain.cpp)

vellin_add_test(NAME terrain_draw_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/terrain_draw_test.cpp
                LIBS vellin_core GL LABELS render)
