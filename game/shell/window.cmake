# The window's X11 side: the desktop's hints, the icon, full screen, vsync.
target_sources(vellin_shell PRIVATE ${CMAKE_CURRENT_LIST_DIR}/window_x11.cpp)
target_link_libraries(vellin_shell PRIVATE X11::X11)

# The icon the desktop shows for the window, from the packaged icons.
set(VELLIN_ICON_SIZES 16 32 48 64 128)
set(VELLIN_ICON_PNGS)
foreach(size IN LISTS VELLIN_ICON_SIZES)
  list(APPEND VELLIN_ICON_PNGS ${PROJECT_SOURCE_DIR}/packaging/icons/vellin-${size}.png)
endforeach()
set(VELLIN_ICON_CPP ${CMAKE_CURRENT_BINARY_DIR}/window_icon.cpp)
add_custom_command(
  OUTPUT ${VELLIN_ICON_CPP}
  COMMAND icon_embed ${VELLIN_ICON_CPP} ${VELLIN_ICON_PNGS}
  DEPENDS icon_embed ${VELLIN_ICON_PNGS}
  COMMENT "Embedding the window icon"
  VERBATIM)
target_sources(vellin_shell PRIVATE ${VELLIN_ICON_CPP})

vellin_add_test(NAME window_x11_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/window_x11_test.cpp
                LIBS vellin_shell)
