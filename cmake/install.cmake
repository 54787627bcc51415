# Installation (any prefix, DESTDIR honoured) and the Debian package.
# The installed game finds its sound files relative to itself and works in
# the player's own data folder (see Form1::enter_player_data_folder).
include(GNUInstallDirs)
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(ZENKO_APP_ID io.github.zenko.xiangqi)
set(ZENKO_MAINTAINER "ZENKO developers <zenko@users.noreply.github.com>")
# The date of the release named by PROJECT_VERSION (fixed, so builds repeat).
set(ZENKO_RELEASE_DATE 2026-12-10)
set(ZENKO_RELEASE_DATE_RFC2822 "Thu, 10 Dec 2026 00:00:00 +0000")
set(ZENKO_DATA_DIR ${CMAKE_INSTALL_DATADIR}/zenko)
set(ZENKO_ICON_SIZES 16 32 48 64 128 256)

# The game looks for its installed sound files relative to itself, so the
# installed tree can be moved whole; a game in the build tree finds none
# there and works in its current directory.
file(RELATIVE_PATH ZENKO_BIN_TO_DATA ${CMAKE_INSTALL_FULL_BINDIR}
  ${CMAKE_INSTALL_PREFIX}/${ZENKO_DATA_DIR})
target_compile_definitions(zenko PRIVATE ZENKO_INSTALLED_SOUNDS="${ZENKO_BIN_TO_DATA}")
# Its sound library, a private shared object, the same way. On a multiarch
# system it lives in the architecture's own library folder (as Debian keeps
# private libraries), which also keeps CPack from calling ldconfig for it in
# the package's scripts: the game loads it by its path, never by the cache.
if(CMAKE_LIBRARY_ARCHITECTURE)
  set(ZENKO_LIBRARY_DIR lib/${CMAKE_LIBRARY_ARCHITECTURE}/zenko)
else()
  set(ZENKO_LIBRARY_DIR lib/zenko)
endif()
file(RELATIVE_PATH ZENKO_BIN_TO_LIBRARY ${CMAKE_INSTALL_FULL_BINDIR}
  ${CMAKE_INSTALL_PREFIX}/${ZENKO_LIBRARY_DIR})
target_compile_definitions(zenko PRIVATE ZENKO_INSTALLED_SOUND_LIBRARY="${ZENKO_BIN_TO_LIBRARY}/libzenko-sound.so")
set(ZENKO_PACKAGING_OUT ${CMAKE_BINARY_DIR}/packaging)
configure_file(packaging/zenko.desktop.in ${ZENKO_PACKAGING_OUT}/zenko.desktop @ONLY)
configure_file(packaging/${ZENKO_APP_ID}.metainfo.xml.in
  ${ZENKO_PACKAGING_OUT}/${ZENKO_APP_ID}.metainfo.xml @ONLY)
configure_file(packaging/changelog.in ${ZENKO_PACKAGING_OUT}/changelog @ONLY)

configure_file(packaging/zenko.6.in ${ZENKO_PACKAGING_OUT}/zenko.6 @ONLY)
configure_file(packaging/zenko-engine.6.in ${ZENKO_PACKAGING_OUT}/zenko-engine.6 @ONLY)

# Debian wants the changelog and the manual pages compressed, without a time
# stamp (changelog.gz: the package is its own upstream).
find_program(GZIP_PROGRAM gzip REQUIRED)
set(ZENKO_COMPRESSED "")
foreach(file changelog zenko.6 zenko-engine.6)
  add_custom_command(OUTPUT ${ZENKO_PACKAGING_OUT}/${file}.gz
    COMMAND ${GZIP_PROGRAM} -9nkf ${ZENKO_PACKAGING_OUT}/${file}
    DEPENDS ${ZENKO_PACKAGING_OUT}/${file})
  list(APPEND ZENKO_COMPRESSED ${ZENKO_PACKAGING_OUT}/${file}.gz)
endforeach()
add_custom_target(packaging_files ALL DEPENDS ${ZENKO_COMPRESSED})

install(TARGETS zenko zenko-engine RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS zenko-sound LIBRARY DESTINATION ${ZENKO_LIBRARY_DIR})
install(FILES ${ZENKO_PACKAGING_OUT}/zenko.6.gz ${ZENKO_PACKAGING_OUT}/zenko-engine.6.gz
  DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${SOUND_FILES} DESTINATION ${ZENKO_DATA_DIR})
install(FILES ${ZENKO_PACKAGING_OUT}/zenko.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${ZENKO_PACKAGING_OUT}/${ZENKO_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
# The record types the desktop entry opens that shared-mime-info lacks.
install(FILES packaging/zenko.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
foreach(size IN LISTS ZENKO_ICON_SIZES)
  install(FILES ui/pictures/icons/zenko-${size}.png RENAME zenko.png
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
install(FILES LICENSE README.md packaging/copyright ${ZENKO_PACKAGING_OUT}/changelog.gz
  DESTINATION ${CMAKE_INSTALL_DOCDIR})

# ---- Debian package: cpack -G DEB ----
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zenko)
set(CPACK_PACKAGE_VENDOR "ZENKO developers")
set(CPACK_PACKAGE_CONTACT ${ZENKO_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Xiangqi (Chinese chess) game with a Japanese interface")
# One string: a semicolon in a list of strings would split it.
set(CPACK_PACKAGE_DESCRIPTION "ZENKO 中国象棋 is a desktop Xiangqi game. Play the computer at one of six
levels (the strongest three through the Fairy-Stockfish engine) or let two
people share the board; take back and replay moves, give handicaps, save and
load game records. Quitting keeps the game for the next start.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# Section misc: "games" would ask for the programs in /usr/games.
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS fonts-ipafont-mincho)
# qt6-wayland lets the game run natively on a Wayland desktop; fairy-stockfish
# is the engine the stronger computer levels play through.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland, fairy-stockfish")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
