# The Linux package: `cpack -G DEB` in the native build makes
# nuvrel_<version>-<revision>_<arch>.deb with the program where XScreenSaver looks for its
# display modes, the description of its options for XScreenSaver's settings, its manual
# page, and the copyright and changelog files that Debian's policy asks for.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME nuvrel)
set(CPACK_PACKAGE_VENDOR "Nuvrel")
set(CPACK_PACKAGE_CONTACT "Nuvrel maintainers <maintainers@nuvrel.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "vortex funnels of coloured particles for XScreenSaver")
# Each line of the long description stays within 80 characters, as Debian asks.
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Ten vortex funnels of coloured particles swirl on a black screen, drawn\n"
    "with OpenGL. The program is an XScreenSaver display mode,\n"
    "/usr/libexec/xscreensaver/nuvrel, with its manual page nuvrel(6x).")
# A Debian revision: the package's own changes are in changelog.Debian.gz, as for
# XScreenSaver's packaged display modes.
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION x11)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "xscreensaver")
set(CPACK_STRIP_FILES ON)
# The same bytes from every build of a commit: the source's time on every file
# (NuvrelCPackProject.cmake) and folders of mode 755 (package_stage.cmake).
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/NuvrelCPackProject.cmake)
set(CPACK_NUVREL_SOURCE_DIR ${PROJECT_SOURCE_DIR})
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/package_stage.cmake)
include(CPack)
