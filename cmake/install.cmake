# Installation (any prefix, DESTDIR honoured) and the Debian package.
# The game itself goes to libexec: players start it through the launcher
# `zenko`, which gives it their own data folder as its working directory.
include(GNUInstallDirs)
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(ZENKO_APP_ID io.github.zenko.xiangqi)
set(ZENKO_HOMEPAGE https://github.com/zenko/xiangqi)
set(ZENKO_MAINTAINER "ZENKO developers <zenko@users.noreply.github.com>")
# The date of the release named by PROJECT_VERSION (fixed, so builds repeat).
set(ZENKO_RELEASE_DATE 2026-12-08)
set(ZENKO_RELEASE_DATE_RFC2822 "Tue, 08 Dec 2026 00:00:00 +0000")
set(ZENKO_GAME_DIR ${CMAKE_INSTALL_LIBEXECDIR}/zenko)
set(ZENKO_DATA_DIR ${CMAKE_INSTALL_DATADIR}/zenko)
set(ZENKO_ICON_SIZES 16 32 48 64 128 256)

# The launcher finds the game and the sounds relative to itself.
file(RELATIVE_PATH ZENKO_BIN_TO_GAME ${CMAKE_INSTALL_FULL_BINDIR}
  ${CMAKE_INSTALL_PREFIX}/${ZENKO_GAME_DIR}/zenko)
file(RELATIVE_PATH ZENKO_BIN_TO_DATA ${CMAKE_INSTALL_FULL_BINDIR}
  ${CMAKE_INSTALL_PREFIX}/${ZENKO_DATA_DIR})
set(ZENKO_PACKAGING_OUT ${CMAKE_BINARY_DIR}/packaging)
configure_file(packaging/zenko.in ${ZENKO_PACKAGING_OUT}/zenko @ONLY
  FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
configure_file(packaging/zenko.desktop.in ${ZENKO_PACKAGING_OUT}/zenko.desktop @ONLY)
configure_file(packaging/${ZENKO_APP_ID}.metainfo.xml.in
  ${ZENKO_PACKAGING_OUT}/${ZENKO_APP_ID}.metainfo.xml @ONLY)
configure_file(packaging/changelog.in ${ZENKO_PACKAGING_OUT}/changelog @ONLY)

# Debian wants the changelog compressed, without a time stamp (changelog.gz:
# the package is its own upstream).
find_program(GZIP_PROGRAM gzip REQUIRED)
add_custom_command(OUTPUT ${ZENKO_PACKAGING_OUT}/changelog.gz
  COMMAND ${GZIP_PROGRAM} -9nkf ${ZENKO_PACKAGING_OUT}/changelog
  DEPENDS ${ZENKO_PACKAGING_OUT}/changelog)
add_custom_target(packaging_files ALL DEPENDS ${ZENKO_PACKAGING_OUT}/changelog.gz)

install(TARGETS zenko RUNTIME DESTINATION ${ZENKO_GAME_DIR})
install(TARGETS zenko-engine RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(PROGRAMS ${ZENKO_PACKAGING_OUT}/zenko DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${SOUND_FILES} DESTINATION ${ZENKO_DATA_DIR})
install(FILES ${ZENKO_PACKAGING_OUT}/zenko.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${ZENKO_PACKAGING_OUT}/${ZENKO_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
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
set(CPACK_PACKAGE_DESCRIPTION
  "ZENKO 中国象棋 is a desktop Xiangqi game. Play the computer at one of three\n"
  "levels or let two people share the board; take back and replay moves,\n"
  "give handicaps, save and load game records.")
string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# Section misc: "games" would ask for the programs in /usr/games.
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${ZENKO_HOMEPAGE})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS fonts-ipafont-mincho)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
