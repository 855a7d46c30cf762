# Run by CPack on the staged packages before it packs them
# (CPACK_PRE_BUILD_SCRIPTS).
#
# Strips the programs and the library as Debian's dh_strip does: CPack's own
# stripping leaves the compiler's .comment section in.
#
# Gives the library package its Depends from dpkg-shlibdeps. CPack's own
# dpkg-shlibdeps run is off for that package, because with it CPack also adds
# a postinst and a postrm calling ldconfig, which the package's trigger
# already does.
file(GLOB_RECURSE staged LIST_DIRECTORIES false "${CPACK_TEMPORARY_DIRECTORY}/*")
set(libraries)
foreach(file IN LISTS staged)
  if(IS_SYMLINK "${file}")
    continue()
  endif()
  file(READ "${file}" magic LIMIT 4 HEX)
  if(NOT magic STREQUAL "7f454c46")
    continue()
  endif()
  if(file MATCHES "\\.so(\\.[0-9]+)*$")
    set(how --strip-unneeded)
    list(APPEND libraries "${file}")
  else()
    set(how)
  endif()
  execute_process(COMMAND strip --remove-section=.comment --remove-section=.note ${how} "${file}"
    COMMAND_ERROR_IS_FATAL ANY)
endforeach()

list(LENGTH libraries count)
if(NOT count EQUAL 1)
  message(FATAL_ERROR "expected one shared library among the staged files, found: ${libraries}")
endif()
# dpkg-shlibdeps wants a debian/control beside it, if only an empty one.
set(work "${CPACK_TEMPORARY_DIRECTORY}/../shlibdeps")
file(MAKE_DIRECTORY "${work}/debian")
file(TOUCH "${work}/debian/control")
execute_process(COMMAND dpkg-shlibdeps -O ${libraries} WORKING_DIRECTORY "${work}"
  OUTPUT_VARIABLE depends ERROR_QUIET COMMAND_ERROR_IS_FATAL ANY)
string(REGEX REPLACE "^shlibs:Depends=([^\n]*)\n?$" "\\1" depends "${depends}")
if(depends STREQUAL "")
  message(FATAL_ERROR "dpkg-shlibdeps found no dependencies for ${libraries}")
endif()
set(CPACK_DEBIAN_LIBKELPMODEL_PACKAGE_DEPENDS "${depends}")

# Lintian's overrides for the game's package; only a package has a use for them.
set(overrides "${CPACK_TEMPORARY_DIRECTORY}/vellin/usr/share/lintian/overrides")
file(MAKE_DIRECTORY "${overrides}")
file(COPY_FILE "${CMAKE_CURRENT_LIST_DIR}/vellin.lintian-overrides" "${overrides}/vellin")
