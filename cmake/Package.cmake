# A Debian package of the installed tree: `cpack -G DEB` (or `make package`) in the build
# folder. The front end needs Qt 6 Widgets and a Japanese font; the engines' console opens
# in xterm when there is one, so it is recommended rather than required.
set(CPACK_PACKAGE_NAME brisca)
set(CPACK_PACKAGE_VENDOR "Brisca developers")
set(CPACK_PACKAGE_CONTACT "Brisca developers <brisca@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
  "Scattered-radiation dose-rate distribution in an X-ray fluoroscopy room")
set(CPACK_PACKAGE_DESCRIPTION
  "Estimates the scattered air kerma and dose-equivalent rates around a patient during \
fluoroscopy by a Monte Carlo simulation, shows them as a map and lays them over a room plan.")
set(CPACK_PACKAGE_INSTALL_DIRECTORY brisca)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Shared-library dependencies (Qt 6, the C++ run-time) are read from the programs by
# dpkg-shlibdeps; the font, the Qt platform plugin and Qt's Japanese translation of its own
# dialogs are not linked, so they are named.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
if(TARGET brisca)
  set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "qt6-qpa-plugins, fonts-ipafont-gothic, qt6-translations-l10n")
  set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xterm")
endif()

include(CPack)
