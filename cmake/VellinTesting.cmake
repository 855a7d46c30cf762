# vellin_add_test(NAME <name> SOURCES <files...> [LIBS <targets...>] [GL] [LABELS <labels...>]
#                 [WORKING_DIRECTORY <dir>])
# One GoogleTest executable registered as one CTest test. GL tests get a real
# OpenGL context from vellin_gltest and run under their own private Xvfb
# (scripts/with-display), never on the desktop's DISPLAY. Without GoogleTest
# the executable is still declared, so that settings made on it hold, but it is
# neither built by default nor registered.
function(vellin_add_test)
  cmake_parse_arguments(T "GL" "NAME;WORKING_DIRECTORY" "SOURCES;LIBS;LABELS" ${ARGN})
  if(NOT GTest_FOUND)
    add_executable(${T_NAME} EXCLUDE_FROM_ALL ${T_SOURCES})
    return()
  endif()
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main)
  target_include_directories(${T_NAME} PRIVATE ${PROJECT_SOURCE_DIR}/tests/support)
  set(labels ${T_LABELS})
  if(T_GL)
    target_link_libraries(${T_NAME} PRIVATE vellin_gltest)
    list(APPEND labels gl)
  endif()
  if(NOT T_WORKING_DIRECTORY)
    set(T_WORKING_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR})
  endif()
  set(command ${T_NAME})
  if(T_GL)
    set(command ${PROJECT_SOURCE_DIR}/scripts/with-display $<TARGET_FILE:${T_NAME}>)
  endif()
  add_test(NAME ${T_NAME} COMMAND ${command} WORKING_DIRECTORY ${T_WORKING_DIRECTORY})
  if(labels)
    set_tests_properties(${T_NAME} PROPERTIES LABELS "${labels}")
  endif()
endfunction()
