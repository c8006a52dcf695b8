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
  "optional background music. Video and sound play through libmpv, Flash"
  "movies in Ruffle inside a web view. The player's texts are in Chinese.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
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
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The build keeps its debugging information; the package does not.
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_GENERATOR DEB)
include(CPack)
