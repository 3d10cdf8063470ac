# The Debian package: `cpack -G DEB` in the build directory (scripts/package does the whole road).
# Everything the install rules put under the prefix goes in; a new program or page installed
# there needs nothing here.
set(GW_PACKAGE_MAINTAINER "Gemwright maintainers <maintainers@gemwright.example>"
  CACHE STRING "Maintainer field of the Debian package")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME gemwright)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT ${GW_PACKAGE_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "planner for crafted equipment, gems and materials")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
  "Gemwright plans the crafted equipment of one character in a three-realm\n"
  "online role-playing game. It shows each crafted item's imbue points,\n"
  "overcharge and success chance, the character's totals against the caps of\n"
  "their level, gem prices and the materials to buy, and renders text reports\n"
  "from templates the player edits.\n"
  "\n"
  "gemwright-report renders the same reports from the command line.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Loaded by Qt at run time to draw the window icon, so dpkg-shlibdeps cannot see it.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6svg6")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)

include(CPack)
