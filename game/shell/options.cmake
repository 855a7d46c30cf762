target_sources(vellin_shell PRIVATE ${CMAKE_CURRENT_LIST_DIR}/options.cpp)
set_source_files_properties(${CMAKE_CURRENT_LIST_DIR}/options.cpp TARGET_DIRECTORY vellin_shell
  PROPERTIES COMPILE_DEFINITIONS VELLIN_VERSION="${PROJECT_VERSION}")

vellin_add_test(NAME options_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/options_test.cpp
  LIBS vellin_shell)
