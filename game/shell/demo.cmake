target_sources(vellin_shell PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/demo_file.cpp ${CMAKE_CURRENT_LIST_DIR}/demo_record.cpp
  ${CMAKE_CURRENT_LIST_DIR}/session.cpp ${CMAKE_CURRENT_LIST_DIR}/frame_times.cpp)

vellin_add_test(NAME demo_file_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/demo_file_test.cpp LIBS vellin_shell)
target_compile_definitions(demo_file_test
  PRIVATE VELLIN_DEMO_REGRESSIONS="${CMAKE_CURRENT_LIST_DIR}/fuzz/regressions")
vellin_add_test(NAME frame_times_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/frame_times_test.cpp LIBS vellin_shell)
