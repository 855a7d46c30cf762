target_sources(vellin_render PRIVATE ${CMAKE_CURRENT_LIST_DIR}/vegetation.cpp)

# The palm crown tables are generated at build time by tools/leaves/leaves_gen.
set(VELLIN_LEAVES_CPP ${CMAKE_CURRENT_BINARY_DIR}/leaves_data.cpp)
add_custom_command(
  OUTPUT ${VELLIN_LEAVES_CPP}
  COMMAND leaves_gen ${VELLIN_LEAVES_CPP}
  DEPENDS leaves_gen
  COMMENT "Generating the palm crown mesh"
  VERBATIM)
target_sources(vellin_render PRIVATE ${VELLIN_LEAVES_CPP})

vellin_add_test(NAME vegetation_leaves_test
                SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/vegetation_leaves_test.cpp
                LIBS vellin_render LABELS render)
vellin_add_test(NAME vegetation_draw_test
                SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/vegetation_draw_test.cpp
                LIBS vellin_render GL LABELS render)
