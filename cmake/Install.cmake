# The installed layout (GNUInstallDirs) and the Debian package.
#
#   bin/tavrine, bin/tavrine-sim
#   share/tavrine/                 what the programs read: library, music, cursors,
#                                  help, dialog pictures, the shipped NewGames
#   share/applications/, share/metainfo/, share/icons/hicolor/, share/man/man6/
#
# The data files are installed by the folders that generate them
# (tools/assets, tools/missions); the program folder's marker file that makes a
# build folder portable is never installed, so an installed program keeps its
# user's files in the XDG folders.
set(TAVRINE_DATA_INSTALL_DIR ${CMAKE_INSTALL_DATADIR}/tavrine)
# Installing and packaging take what the build made; they do not build the tests
# and benchmarks first.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY TRUE)
set(TAVRINE_APP_ID example.tavrine.Tavrine)

install(TARGETS tavrine-sim RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(TAVRINE_GUI)
  install(TARGETS tavrine RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  configure_file(${PROJECT_SOURCE_DIR}/packaging/tavrine.desktop.in
    ${CMAKE_BINARY_DIR}/packaging/${TAVRINE_APP_ID}.desktop @ONLY)
  configure_file(${PROJECT_SOURCE_DIR}/packaging/tavrine.metainfo.xml.in
    ${CMAKE_BINARY_DIR}/packaging/${TAVRINE_APP_ID}.metainfo.xml @ONLY)
  install(FILES ${CMAKE_BINARY_DIR}/packaging/${TAVRINE_APP_ID}.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${CMAKE_BINARY_DIR}/packaging/${TAVRINE_APP_ID}.metainfo.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
  install(DIRECTORY ${CMAKE_BINARY_DIR}/icons/hicolor DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/tavrine.6 DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
endif()
install(FILES ${PROJECT_SOURCE_DIR}/packaging/tavrine-sim.6 DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)

# cpack -G DEB: tavrine_VERSION_ARCH.deb. The libraries come from dpkg-shlibdeps;
# the soundfont the music plays through, the fonts the windows ask for and Qt's
# platform plugins are named here, as no library link shows them.
set(CPACK_PACKAGE_NAME tavrine)
set(CPACK_PACKAGE_VENDOR "Tavrine developers")
set(CPACK_PACKAGE_CONTACT "Tavrine developers <support@tavrine.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "real-time strategy game with map and library editors")
set(CPACK_PACKAGE_DESCRIPTION
  "Tanks, gun towers and buildings fight over maps of water, land and mountains\n under a fog of war. The game is also its own map editor and picture and\n sound library editor.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${PROJECT_HOMEPAGE_URL})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
  "timgm6mb-soundfont | sf2-soundfont-gm, fonts-liberation2, fonts-dejavu-core, qt6-qpa-plugins")
include(CPack)
