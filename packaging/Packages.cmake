# Debian packages, one per install component: vellin (the game and its data),
# libkelpmodel<SOVERSION> (the library) and libkelpmodel-dev (header,
# pkg-config and CMake files). Build them with scripts/build-debs.
get_target_property(kp_soversion kelpmodel SOVERSION)
set(kp_package libkelpmodel${kp_soversion})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vellin)
set(CPACK_PACKAGE_VENDOR "The Vellin developers")
set(CPACK_PACKAGE_CONTACT "The Vellin developers <maintainers@vellin.org>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
# Staged through DESTDIR, so that the install sees its real prefix (the
# pkg-config file holds it) and not the staging folder.
set(CPACK_SET_DESTDIR ON)
# Stripped as Debian strips, and the library's Depends found, by a script run
# on the staged files (debian/finish_staging.cmake).
set(CPACK_STRIP_FILES OFF)
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_SOURCE_DIR}/debian/finish_staging.cmake)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL vellin libkelpmodel libkelpmodel-dev)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://vellin.org/)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# dpkg-shlibdeps finds the library of this build here; its package is named below.
set(CPACK_DEBIAN_VELLIN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${CMAKE_BINARY_DIR})

set(CPACK_DEBIAN_VELLIN_PACKAGE_NAME vellin)
set(CPACK_DEBIAN_VELLIN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_VELLIN_PACKAGE_DEPENDS "${kp_package} (= ${PROJECT_VERSION})")
set(CPACK_COMPONENT_VELLIN_DESCRIPTION "side-scrolling action game on a jungle cliff
Vellin is a small 3D side-scrolling game on one jungle stage. You steer an
armoured trooper along a generated cliff face: walking, crouching, jumping
between ledges, dropping through a ledge and crossing two rope bridges,
drawn with OpenGL under fog and one light.")

set(CPACK_DEBIAN_LIBKELPMODEL_PACKAGE_NAME ${kp_package})
set(CPACK_DEBIAN_LIBKELPMODEL_PACKAGE_SECTION libs)
# The library's shlibs and symbols files and the ldconfig trigger that Debian
# wants of a shared library package. CPack neither looks into this package
# (it would add maintainer scripts calling ldconfig) nor makes its shlibs.
# When the library's exported symbols change, debian/symbols must follow
# (packaging/tests/deb_test.sh compares them).
set(CPACK_DEBIAN_LIBKELPMODEL_PACKAGE_CONTROL_EXTRA ${CMAKE_CURRENT_SOURCE_DIR}/debian/triggers
  ${CMAKE_CURRENT_SOURCE_DIR}/debian/shlibs ${CMAKE_CURRENT_SOURCE_DIR}/debian/symbols)
set(CPACK_COMPONENT_LIBKELPMODEL_DESCRIPTION "in-memory store for skinned models
Kelpmodel holds skinned-model data in memory (models, meshes, vertices,
normals, triangles, materials, bones and their position and rotation keys)
behind a flat C interface of byte-packed records.

This package contains the shared library.")

set(CPACK_DEBIAN_LIBKELPMODEL-DEV_PACKAGE_NAME libkelpmodel-dev)
set(CPACK_DEBIAN_LIBKELPMODEL-DEV_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_LIBKELPMODEL-DEV_PACKAGE_DEPENDS "${kp_package} (= ${PROJECT_VERSION})")
set(CPACK_COMPONENT_LIBKELPMODEL-DEV_DESCRIPTION "in-memory store for skinned models - development files
Kelpmodel holds skinned-model data in memory (models, meshes, vertices,
normals, triangles, materials, bones and their position and rotation keys)
behind a flat C interface of byte-packed records.

This package contains the header, the pkg-config file and the CMake package
(find_package(Kelpmodel) gives Kelpmodel::kelpmodel).")

include(CPack)
