target_sources(vellin_shell PRIVATE ${CMAKE_CURRENT_LIST_DIR}/options.cpp)
target_link_libraries(vellin_shell PUBLIC vellin_cmdline)

vellin_add_test(NAME options_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/options_test.cpp
  LIBS vellin_shell)
