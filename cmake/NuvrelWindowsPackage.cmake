# The Windows downloads, both made by `cpack` in the build tree:
#   Nuvrel-<version>-<processor>.zip   the two programs and the read-me, for copying by hand;
#   Nuvrel-<version>-setup.exe         the setup program (NSIS), of the 32-bit build only.
install(TARGETS Nuvrel NuvrelScreensaver RUNTIME DESTINATION .)
# The read-me names the downloads by their version, and holds the licence.
configure_file(docs/README-Windows.txt ${PROJECT_BINARY_DIR}/README.txt @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/README.txt DESTINATION .)

set(CPACK_GENERATOR ZIP)
# The setup program puts 32-bit programs where Windows looks for 32-bit screensavers, so only
# the shipped 32-bit build gets one.
find_program(NUVREL_MAKENSIS makensis)
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    if(NUVREL_MAKENSIS)
        list(APPEND CPACK_GENERATOR NSIS)
    else()
        message(WARNING "makensis (Debian's nsis) is missing: cpack makes no setup program")
    endif()
endif()

set(CPACK_VERBATIM_VARIABLES ON)
set(CPACK_PACKAGE_NAME Nuvrel)
set(CPACK_PACKAGE_VENDOR ${NUVREL_COMPANY})
set(CPACK_PACKAGE_FILE_NAME "Nuvrel-${PROJECT_VERSION}-${CMAKE_SYSTEM_PROCESSOR}")
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
set(CPACK_STRIP_FILES ON)
# The setup program's own name and the source's time, set when cpack runs.
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/NuvrelCPackProject.cmake)
set(CPACK_NUVREL_SOURCE_DIR ${PROJECT_SOURCE_DIR})

# The same bytes from every build of a commit, signed when a certificate is given
# (README, Releasing): the staged programs are signed and every staged file takes the
# source's time before packing; the ZIP archive is then written again in sorted order.
find_program(NUVREL_ZIP zip REQUIRED)
set(CPACK_NUVREL_ZIP ${NUVREL_ZIP})
set(CPACK_NUVREL_SIGN_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/sign-windows.sh)
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/package_stage.cmake)
set(CPACK_POST_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/package_zip.cmake)

# installer/NSIS.template.in replaces CPack's own script.
set(CPACK_MODULE_PATH ${PROJECT_SOURCE_DIR}/installer)
set(CPACK_NUVREL_INSTALLER_DIR ${PROJECT_SOURCE_DIR}/installer)
set(CPACK_NSIS_MUI_ICON ${PROJECT_SOURCE_DIR}/frontend/startup/resources/nuvrel.ico)
set(CPACK_NSIS_MUI_UNIICON ${CPACK_NSIS_MUI_ICON})
set(CPACK_NSIS_COMPRESSOR "/SOLID lzma")
set(CPACK_NUVREL_COPYRIGHT ${NUVREL_COPYRIGHT})
# Made once from a frame of the vortex with `nuvrel --snapshot`, at the 164 x 314 pixels of
# the welcome and finish pages (README, Releasing).
set(CPACK_NUVREL_WELCOME_BITMAP ${PROJECT_SOURCE_DIR}/frontend/startup/resources/setup-welcome.bmp)
include(CPack)
