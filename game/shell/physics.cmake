target_sources(vellin_shell PRIVATE ${CMAKE_CURRENT_LIST_DIR}/physics.cpp)

vellin_add_test(NAME physics_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/physics_ground_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/tests/physics_air_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/tests/physics_camera_test.cpp
  LIBS vellin_shell)
target_compile_definitions(physics_test
  PRIVATE VELLIN_PHYSICS_DATA="${CMAKE_CURRENT_LIST_DIR}/tests/data")

vellin_add_test(NAME physics_stage_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/physics_stage_test.cpp
  LIBS vellin_shell)
target_compile_definitions(physics_stage_test
  PRIVATE VELLIN_PHYSICS_DATA="${CMAKE_CURRENT_LIST_DIR}/tests/data")
