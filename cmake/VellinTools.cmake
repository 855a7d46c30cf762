# vellin_install_tool(<target> <manual page>): installs a model maker's tool
# beside the game, in the "vellin" component, finding the installed Kelpmodel
# through a path relative to itself, with its section 1 manual page
# compressed as Debian wants it (-n: the same input gives the same bytes).
function(vellin_install_tool target page)
  file(RELATIVE_PATH bin_to_lib /prefix/${CMAKE_INSTALL_BINDIR} /prefix/${CMAKE_INSTALL_LIBDIR})
  set_target_properties(${target} PROPERTIES INSTALL_RPATH "$ORIGIN/${bin_to_lib}")
  install(TARGETS ${target} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT vellin)
  set(input ${CMAKE_CURRENT_SOURCE_DIR}/${page})
  set(output ${CMAKE_CURRENT_BINARY_DIR}/${page}.gz)
  add_custom_command(OUTPUT ${output} COMMAND gzip -9nc ${input} > ${output}
    DEPENDS ${input} VERBATIM)
  add_custom_target(${target}_manual ALL DEPENDS ${output})
  install(FILES ${output} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT vellin)
endfunction()
