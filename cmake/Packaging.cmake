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
# The sounds are played and recorded through GStreamer's own plugins.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "gstreamer1.0-plugins-good, gstreamer1.0-plugins-ugly, gstreamer1.0-libav, lame")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "desktop-file-utils, shared-mime-info")
include(CPack)
