# The Linux package: `cpack -G DEB` in the native build makes nuvrel_<version>_<arch>.deb
# with the program where XScreenSaver looks for its display modes and the description of
# its options for XScreenSaver's settings.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME nuvrel)
set(CPACK_PACKAGE_VENDOR "Nuvrel")
set(CPACK_PACKAGE_CONTACT "Nuvrel maintainers <nuvrel@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "vortex funnels of coloured particles for XScreenSaver")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Ten vortex funnels of coloured particles swirl on a black screen, drawn with OpenGL.\n"
    "The program is an XScreenSaver display mode: /usr/libexec/xscreensaver/nuvrel.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION x11)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "xscreensaver")
set(CPACK_STRIP_FILES ON)
include(CPack)
