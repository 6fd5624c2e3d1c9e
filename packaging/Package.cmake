# "cpack -G DEB" in a build tree (tools/package.sh does it all) makes quilo_<version>_<arch>.deb.
# The shared libraries the programs link (Qt 6, libVLC, QtKeychain) become dependencies through
# dpkg-shlibdeps; what they only load at run time is named here: Qt's X11 platform plugin,
# libVLC's codecs and outputs, and the Korean fonts the faces are drawn with.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quilo)
set(CPACK_PACKAGE_VENDOR "Quilo developers")
set(CPACK_PACKAGE_CONTACT "Quilo maintainers <maintainers@users.noreply.c-seed-228e69c6.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "desktop client of ZELK Internet Radio")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Quilo plays the live audio stream and the Seeing Radio video stream of ZELK\n\
Internet Radio, shows the program on air with a scrolling ticker, sends\n\
messages from logged-in listeners to the program's board and starts playback\n\
by itself at scheduled times. It wears skins and has a mini face and a tray\n\
icon.")
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "qt6-qpa-plugins, vlc-plugin-base, vlc-plugin-video-output, fonts-nanum")
# a Wayland session uses Qt's Wayland platform when it is installed (XWayland otherwise)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")
# the password goes to the desktop's secret store when one runs (prefs.ini otherwise)
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "gnome-keyring")
set(CPACK_STRIP_FILES ON)
# the program, its companion, skins and desktop files; the station (component "station") is a
# tool for testing and stays out
set(CPACK_INSTALL_CMAKE_PROJECTS "${CMAKE_BINARY_DIR};Quilo;Unspecified;/")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
include(CPack)
