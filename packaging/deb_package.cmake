# The Debian package, made by `cpack -G DEB` in the build folder from what
# the install step installs, under /usr. The libraries the binaries link
# come from dpkg-shlibdeps; what the player only loads or runs when a
# feature needs it is recommended.
set(QM_PACKAGE_MAINTAINER "Quilmora developers <maintainers@quilmora.org>"
    CACHE STRING "The Maintainer field of the Debian package")

set(CPACK_PACKAGE_NAME quilmora)
set(CPACK_PACKAGE_VENDOR "The Quilmora developers")
set(CPACK_PACKAGE_CONTACT "${QM_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "skinned player for video, music, pictures and Flash movies")
# Lines as the control file's description shows them.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
  "Quilmora plays video, music, still pictures and Flash movies in one"
  "frameless window drawn from its own skin. A side panel browses drives and"
  "folders; its file list is the play list. Pictures run as a slide show with"
  "optional background music. Video and sound play through libmpv. Flash"
  "movies of shapes, pictures and text the player draws itself; any other"
  "plays in Ruffle inside a web view. The player's texts are in Chinese.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# The first package of each version.
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_SECTION video)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${QM_HOME_PAGE}")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# libfluidsynth is opened when the first MIDI file plays, with a sound font
# from the paths midi_stream.cpp looks in; the Chinese font shows file names
# (the window's own texts carry their font); Qt's dialogs speak Chinese with
# its translations; xdg-open takes web pages to the user's browser.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
    "libfluidsynth3, timgm6mb-soundfont | fluid-soundfont-gm, fonts-wqy-microhei, qt6-translations-l10n, xdg-utils")
# Without Qt's Wayland platform the player runs through XWayland, where its
# window keeps every X11 behaviour.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "qt6-wayland")
# Debian's changelog of the package, for this version alone.
set(QM_DEBIAN_CHANGELOG ${CMAKE_CURRENT_BINARY_DIR}/changelog.Debian)
file(WRITE ${QM_DEBIAN_CHANGELOG}
  "quilmora (${PROJECT_VERSION}-${CPACK_DEBIAN_PACKAGE_RELEASE}) stable; urgency=medium\n\n"
  "  * Quilmora ${PROJECT_VERSION}, packaged by cpack from the build.\n\n"
  " -- ${QM_PACKAGE_MAINTAINER}  ${QM_SOURCE_DATE_RFC2822}\n")
add_custom_command(OUTPUT ${QM_DEBIAN_CHANGELOG}.gz
  COMMAND ${QM_GZIP} -9nkf ${QM_DEBIAN_CHANGELOG}
  DEPENDS ${QM_DEBIAN_CHANGELOG}
  VERBATIM)
add_custom_target(qm_debian_changelog ALL DEPENDS ${QM_DEBIAN_CHANGELOG}.gz)
install(FILES ${QM_DEBIAN_CHANGELOG}.gz DESTINATION ${CMAKE_INSTALL_DOCDIR})
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The build keeps its debugging information; the package does not.
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_GENERATOR DEB)
include(CPack)
