# vellin_add_test(NAME <name> SOURCES <files...> [LIBS <targets...>] [GL] [LABELS <labels...>]
#                 [WORKING_DIRECTORY <dir>])
# One GoogleTest executable registered as one CTest test. GL tests get a real
# OpenGL context from vellin_gltest and run under their own private Xvfb
# (scripts/with-display), never on the desktop's DISPLAY. Without GoogleTest
# the executable is still declared, so that settings made on it hold, but it is
# neither built by default nor registered.
#
# The test code itself (a source in a tests/ folder) is compiled without
# optimisation and with gtest.h precompiled once for all the tests of the tree:
# most of a test source's compile time went into optimising gtest's macros and
# parsing its header (reader_test.cpp: 12.6 CPU s at -O2 -g, 4.0 at -O0 -g
# with the header precompiled), while a test's run time goes into the code
# under test, which keeps the tree's flags (in its library, or here when a
# test compiles a product source).

# -O0 rather than -Og: -Og costs a third more a test source, and the warnings
# that need optimisation (-Wmaybe-uninitialized and its kind) still run over
# the code under test, which the normal build optimises.
set(VELLIN_TEST_CODE_OPTIONS -O0)

# The one precompiled gtest.h the tests reuse, made with the test code's flags
# (a precompiled header is used only under the flags it was made with; CMake
# adds -Winvalid-pch, so with -Werror a mismatch fails the build instead of
# quietly parsing the header again).
if(GTest_FOUND)
  set(pch_source ${CMAKE_BINARY_DIR}/vellin_gtest_pch.cpp)
  file(CONFIGURE OUTPUT ${pch_source} CONTENT "// gtest.h, precompiled for the tests\n")
  add_library(vellin_gtest_pch OBJECT ${pch_source})
  target_link_libraries(vellin_gtest_pch PRIVATE GTest::gtest)
  target_compile_options(vellin_gtest_pch PRIVATE ${VELLIN_TEST_CODE_OPTIONS})
  target_precompile_headers(vellin_gtest_pch PRIVATE $<$<COMPILE_LANGUAGE:CXX>:<gtest/gtest.h$<ANGLE-R>>)
endif()

function(vellin_add_test)
  cmake_parse_arguments(T "GL" "NAME;WORKING_DIRECTORY" "SOURCES;LIBS;LABELS" ${ARGN})
  if(NOT GTest_FOUND)
    add_executable(${T_NAME} EXCLUDE_FROM_ALL ${T_SOURCES})
    return()
  endif()
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main)
  target_include_directories(${T_NAME} PRIVATE ${PROJECT_SOURCE_DIR}/tests/support)
  target_precompile_headers(${T_NAME} REUSE_FROM vellin_gtest_pch)
  foreach(source IN LISTS T_SOURCES)
    cmake_path(ABSOLUTE_PATH source BASE_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR} NORMALIZE
               OUTPUT_VARIABLE path)
    if(path MATCHES "/tests/[^/]+$")
      set_property(SOURCE ${path} APPEND PROPERTY COMPILE_OPTIONS ${VELLIN_TEST_CODE_OPTIONS})
    endif()
    # C, or a product source compiled in: no gtest.h, and built on its own
    # even in a unity build (whose C part would look for a C header to reuse).
    if(NOT path MATCHES "/tests/[^/]+\\.cpp$")
      set_property(SOURCE ${path} PROPERTY SKIP_PRECOMPILE_HEADERS ON)
      set_property(SOURCE ${path} PROPERTY SKIP_UNITY_BUILD_INCLUSION ON)
    endif()
  endforeach()
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
