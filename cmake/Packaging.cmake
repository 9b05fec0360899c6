# What the desktop needs of an installed copy (the launcher, the icons in
# the hicolor theme, the package types, the AppStream entry, the manual
# page) and the Debian package made of it by `cpack`.
set(dist "${CMAKE_SOURCE_DIR}/dist")
install(FILES "${dist}/zorvex.desktop" DESTINATION "${CMAKE_INSTALL_DATADIR}/applications")
install(FILES "${dist}/zorvex-mime.xml" DESTINATION "${CMAKE_INSTALL_DATADIR}/mime/packages" RENAME zorvex.xml)
install(FILES "${dist}/io.github.zorvex.Zorvex.metainfo.xml" DESTINATION "${CMAKE_INSTALL_DATADIR}/metainfo")
install(FILES "${dist}/zorvex.1" DESTINATION "${CMAKE_INSTALL_MANDIR}/man1")
foreach(size 16 22 24 32 48 64 128 256)
  install(FILES "${dist}/icons/zorvex-${size}.png"
          DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps" RENAME zorvex.png)
endforeach()
install(FILES "${dist}/icons/zorvex.svg" DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zorvex)
set(CPACK_PACKAGE_VENDOR Zorvex)
set(CPACK_PACKAGE_CONTACT "Zorvex <zorvex@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "desktop calendar with name days, reminders and alarms")
set(CPACK_PACKAGE_DESCRIPTION
    "A small always-visible window with the month, a clock, name days and a sentence of the day; reminders, alarms, an hourly chime, system statistics and a music player behind a tray icon. Polish user interface.")
set(CPACK_PACKAGE_INSTALL_DIRECTORY zorvex)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
# What the linked libraries do not bring: the window's fixed pixel layout is
# measured in Tahoma (fonts-wine) with DejaVu Sans Condensed for the bold (a
# fresh system without these fonts draws the month title over its arrows),
# and without GStreamer's base plugins (the player element, the converters,
# the ALSA output) no chime or alarm can sound.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-wine, fonts-dejavu-extra, gstreamer1.0-plugins-base")
# MP3 and the radio's streams, the desktop's sound server, MP3 recording,
# and Qt's own Polish texts (the buttons of its dialogs).
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
    "gstreamer1.0-plugins-good, gstreamer1.0-plugins-ugly, gstreamer1.0-libav, gstreamer1.0-pulseaudio, lame, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "desktop-file-utils, shared-mime-info")
include(CPack)
