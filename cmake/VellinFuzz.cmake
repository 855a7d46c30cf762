# vellin_add_fuzzer(<target> <sources...>): a libFuzzer executable in the top
# of the build tree, instrumented for the fuzzer and, unless the whole build
# already is, for AddressSanitizer and UndefinedBehaviorSanitizer.
function(vellin_add_fuzzer target)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "VELLIN_FUZZ needs clang (CC=clang CXX=clang++)")
  endif()
  set(sanitizers fuzzer)
  if(NOT VELLIN_SANITIZE)
    list(APPEND sanitizers address undefined)
  endif()
  list(JOIN sanitizers "," flag)
  add_executable(${target} ${ARGN})
  target_compile_options(${target} PRIVATE -fsanitize=${flag} -fno-sanitize-recover=all)
  target_link_options(${target} PRIVATE -fsanitize=${flag})
  set_target_properties(${target} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
endfunction()
