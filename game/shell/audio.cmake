target_sources(vellin_shell PRIVATE ${CMAKE_CURRENT_LIST_DIR}/audio.cpp)

# The sounds that real steps on the generated stage start, without a device.
vellin_add_test(NAME step_sounds_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/step_sounds_test.cpp LIBS vellin_shell)
target_compile_definitions(step_sounds_test
  PRIVATE VELLIN_PHYSICS_DATA="${CMAKE_CURRENT_LIST_DIR}/tests/data")
