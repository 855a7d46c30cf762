# Debian keeps games in games/ rather than bin/ (scripts/build-debs says so);
# the model makers' tools go beside the game.
set(VELLIN_INSTALL_BINDIR ${CMAKE_INSTALL_BINDIR} CACHE STRING
  "Where the game's programs go, relative to the prefix")

# vellin_install_tool(<target> <manual page>): installs a model maker's tool
# beside the game, in the "vellin" component, finding the installed Kelpmodel
# through a path relative to itself, with its section 1 manual page
# compressed as Debian wants it (-n: the same input gives the same bytes).
# Every such tool joins vellin_tools, so a build that asks only for what the
# packages hold (scripts/build-debs) builds it too.
add_custom_target(vellin_tools)

function(vellin_install_tool target page)
  file(RELATIVE_PATH bin_to_lib /prefix/${VELLIN_INSTALL_BINDIR} /prefix/${CMAKE_INSTALL_LIBDIR})
  set_target_properties(${target} PROPERTIES INSTALL_RPATH "$ORIGIN/${bin_to_lib}")
  install(TARGETS ${target} RUNTIME DESTINATION ${VELLIN_INSTALL_BINDIR} COMPONENT vellin)
  set(input ${CMAKE_CURRENT_SOURCE_DIR}/${page})
  set(output ${CMAKE_CURRENT_BINARY_DIR}/${page}.gz)
  add_custom_command(OUTPUT ${output} COMMAND gzip -9nc ${input} > ${output}
    DEPENDS ${input} VERBATIM)
  add_custom_target(${target}_manual ALL DEPENDS ${output})
  add_dependencies(vellin_tools ${target} ${target}_manual)
  install(FILES ${output} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT vellin)
endfunction()

# The programs no test runs (the generators' command lines, previews, the
# bench) are built by default unless VELLIN_DEV_TOOLS is off, as in the
# sanitizer tree, which builds only what its tests need; any of them is still
# built when asked for by name.
option(VELLIN_DEV_TOOLS "Build the developers' programs that no test runs" ON)

# vellin_dev_tool(<targets...>): marks programs that no test runs.
function(vellin_dev_tool)
  if(NOT VELLIN_DEV_TOOLS)
    set_target_properties(${ARGN} PROPERTIES EXCLUDE_FROM_ALL ON)
  endif()
endfunction()
