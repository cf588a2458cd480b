# The install, in the places Debian's games use: the program in games/, its data in
# share/games/skidrunner, a menu entry, the icon in every size of the hicolor theme, and the
# manual page. `cmake --install build [--prefix P]` (DESTDIR too) or `make install`; `make
# package` packs the same files into a .deb. The installed game keeps each player's files in a
# folder of their own (src/frame/home.cpp).
include(GNUInstallDirs)

install(TARGETS skidrunner RUNTIME DESTINATION ${SKID_GAMES_DIR})
# Every data file the build makes (the attract demo as the build recorded it, never a demo
# recorded in the game folder), and allegro.cfg, which picks the windowed X11 driver.
install(FILES ${GAME_DATA_FILES} ${GAME_DIR}/allegro.cfg DESTINATION ${SKID_DATA_DIR})
install(FILES ${CMAKE_SOURCE_DIR}/desktop/skidrunner.desktop
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/applications)

# The icon, drawn by the picture maker.
set(ICON_SIZES 32 48 64 128 256)
set(ICON_DIR ${CMAKE_BINARY_DIR}/icons)
set(ICON_FILES "")
foreach(size ${ICON_SIZES})
  list(APPEND ICON_FILES ${ICON_DIR}/${size}x${size}/skidrunner.png)
  install(FILES ${ICON_DIR}/${size}x${size}/skidrunner.png
          DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
add_custom_command(
  OUTPUT ${ICON_FILES}
  COMMAND make_pictures --icons ${ICON_DIR}
  DEPENDS make_pictures
  COMMENT "Drawing the menu icon"
  VERBATIM)

# The manual page, carrying the game's version, compressed as Debian keeps them.
configure_file(${CMAKE_SOURCE_DIR}/desktop/skidrunner.6.in ${CMAKE_BINARY_DIR}/skidrunner.6
               @ONLY)
set(MANUAL ${CMAKE_BINARY_DIR}/skidrunner.6.gz)
add_custom_command(
  OUTPUT ${MANUAL}
  COMMAND sh -c "gzip -9n -c ${CMAKE_BINARY_DIR}/skidrunner.6 > ${MANUAL}"
  DEPENDS ${CMAKE_BINARY_DIR}/skidrunner.6
  COMMENT "Compressing the manual page"
  VERBATIM)
install(FILES ${MANUAL} DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
add_custom_target(desktop_files ALL DEPENDS ${ICON_FILES} ${MANUAL})

# make package: the .deb, in build/. Its dependencies are read from what the program
# links (Debian's Allegro runtime, the C and C++ libraries, X11) by dpkg-shlibdeps.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME skidrunner)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Skidrunner developers <skidrunner@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "top-down driving and crime game")
set(CPACK_PACKAGE_DESCRIPTION "A city seen from above: walk its pavements, steal a car, drive,
crash, shoot, and keep ahead of the police, or play as a cop. Missions, day
and night, and demos that replay a game exactly.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES ON)
include(CPack)
