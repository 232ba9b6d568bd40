# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian package (`make package`, or `cpack -G DEB` in the build folder): what `cmake --install`
# puts under the prefix, placed under /usr.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME buscarpunto)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT
    "Seed 3610b701 maintainers <maintainers@users.noreply.c-seed-3610b701.example>"
    CACHE STRING "Maintainer field of the Debian package")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "look up FidoNet point addresses in a nodelist and a pointlist")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# The debug information of RelWithDebInfo stays in the build tree.
set(CPACK_STRIP_FILES ON)
set(CPACK_BUSCARPUNTO_STRIP ${CMAKE_STRIP})
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/Recortar.cmake)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# The control files with the modes dpkg-deb itself gives them (0644), not the builder's umask.
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_PACKAGE_SECTION net)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# CPack puts the summary above this and indents it for the control file.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Buscar Punto is a small desktop tool for FidoNet users. Type a point
address (zone:net/node.point) and it looks the address up in a FidoNet
nodelist and a Boss-format pointlist and shows the node's BBS name, sysop
and city, and the point's name, nick, city and phone.

The package also has buscarpunto-cli, the same lookup for terminals and
scripts, with plain-text or JSON output.")
# The libraries come from dpkg-shlibdeps (the X11 platform plugin ships inside libqt6gui6). The
# fonts are only loaded at run time: the windows are laid out for DejaVu Sans Condensed, which is
# in fonts-dejavu-extra, and fall back to the core DejaVu Sans. Qt's own texts (standard buttons,
# the file dialog) are read in Spanish from qt6-translations-l10n.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-dejavu-core, fonts-dejavu-extra, qt6-translations-l10n")

include(CPack)
