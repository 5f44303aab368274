# Installing the game the way Debian installs games, and packaging it as a
# .deb with CPack (`cpack -G DEB` in the build folder, or scripts/package.sh):
#   <prefix>/games/tether           the game, and its tools beside it
#   <prefix>/share/games/tether     the game folder: data, maps, images, sounds, music
#   <prefix>/share/applications     the menu entry; share/icons/hicolor its icon
#   <prefix>/share/man/man6         a manual page per command
#   <prefix>/share/doc/tether       the copyright notices and the changelog
#   <prefix>/share/metainfo         the AppStream entry software centres list
# The installed game finds its folder from where its command lies, so the
# same build installs under any prefix.

set(TETHER_INSTALL_BINDIR games)
set(TETHER_INSTALL_DATADIR share/games/tether)
file(RELATIVE_PATH TETHER_DATA_FROM_BINDIR /${TETHER_INSTALL_BINDIR} /${TETHER_INSTALL_DATADIR})

# Installs the executable of `target` as the command `command` beside the
# game, with its manual page dist/man/<command>.6 when there is one:
#   tether_command(mapcheck tether-mapcheck)
function(tether_command target command)
  install(PROGRAMS $<TARGET_FILE:${target}> DESTINATION ${TETHER_INSTALL_BINDIR} RENAME ${command})
  # Renamed programs are not stripped by `cmake --install --strip` or CPack
  # on their own.
  install(CODE "if(CMAKE_INSTALL_DO_STRIP)
    execute_process(COMMAND ${CMAKE_STRIP}
      \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${TETHER_INSTALL_BINDIR}/${command}\")
  endif()")
  set(source ${CMAKE_SOURCE_DIR}/dist/man/${command}.6)
  if(EXISTS ${source})
    set(page ${CMAKE_BINARY_DIR}/man/${command}.6) # with the version filled in
    configure_file(${source} ${page} @ONLY)
    # Debian ships manual pages compressed, without a time stamp.
    set(packed ${page}.gz)
    add_custom_command(OUTPUT ${packed} COMMAND gzip -9n -c ${page} > ${packed} DEPENDS ${page})
    add_custom_target(man_${command} ALL DEPENDS ${packed})
    install(FILES ${packed} DESTINATION share/man/man6)
  endif()
endfunction()

# The game folder as the build lays it out, without the game's own
# executables, the icons and the generators' stamps.
install(DIRECTORY ${TETHER_GAME_DIR}/ DESTINATION ${TETHER_INSTALL_DATADIR}
  PATTERN tether EXCLUDE
  PATTERN tether-sim EXCLUDE
  PATTERN icons EXCLUDE
  REGEX "/\\.[^/]*$" EXCLUDE)
install(FILES ${CMAKE_SOURCE_DIR}/dist/tether.desktop DESTINATION share/applications)
if(TETHER_GENERATE_ASSETS)
  install(DIRECTORY ${TETHER_GAME_DIR}/icons/hicolor DESTINATION share/icons)
endif()
install(FILES ${CMAKE_SOURCE_DIR}/dist/org.example.tether.metainfo.xml DESTINATION share/metainfo)
# The game's licence and the notices of the libraries it links, in Debian's
# machine-readable form, and the changelog, compressed as Debian ships it.
install(FILES ${CMAKE_SOURCE_DIR}/dist/copyright DESTINATION share/doc/tether)
set(TETHER_CHANGELOG ${CMAKE_BINARY_DIR}/changelog.gz)
add_custom_command(OUTPUT ${TETHER_CHANGELOG}
  COMMAND gzip -9n -c ${CMAKE_SOURCE_DIR}/dist/changelog > ${TETHER_CHANGELOG}
  DEPENDS ${CMAKE_SOURCE_DIR}/dist/changelog)
add_custom_target(changelog ALL DEPENDS ${TETHER_CHANGELOG})
install(FILES ${TETHER_CHANGELOG} DESTINATION share/doc/tether)

# --- The Debian package ---
set(CPACK_PACKAGE_NAME tether)
set(CPACK_PACKAGE_VENDOR "Tether developers")
set(CPACK_PACKAGE_CONTACT "Tether developers <tether@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "space action game with grappling hooks and elastic ropes")
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
  "Your ship has no gun. It fires two grappling hooks: catch enemies, planets,"
  "black holes and rope nodes on elastic ropes, then swing the enemies into"
  "suns, black holes, mines and their own side's fire. The world wraps around"
  "and everything in it feels the gravity of planets, suns and black holes.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT) # tether_<version>_<arch>.deb
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The runtime libraries (SDL 1.2, SDL_image, SDL_mixer, SDL_gfx, the C and
# C++ runtimes) as dpkg-shlibdeps reads them from the executables: nothing
# that is needed only to build.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
include(CPack)
