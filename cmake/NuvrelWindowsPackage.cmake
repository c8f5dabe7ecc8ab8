# The Windows downloads, both made by `cpack` in the build tree:
#   Nuvrel-<version>-<processor>.zip   the two programs and the read-me, for copying by hand;
#   Nuvrel-<version>-setup.exe         the setup program (NSIS), of the 32-bit build only.
install(TARGETS Nuvrel NuvrelScreensaver RUNTIME DESTINATION .)
install(FILES docs/README-Windows.txt DESTINATION . RENAME README.txt)

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
set(CPACK_PACKAGE_VENDOR Nuvrel)
set(CPACK_PACKAGE_FILE_NAME "Nuvrel-${PROJECT_VERSION}-${CMAKE_SYSTEM_PROCESSOR}")
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
set(CPACK_STRIP_FILES ON)
# The setup program's own name, chosen per generator when cpack runs.
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/NuvrelPackageNames.cmake)

# installer/NSIS.template.in replaces CPack's own script.
set(CPACK_MODULE_PATH ${PROJECT_SOURCE_DIR}/installer)
set(CPACK_NUVREL_INSTALLER_DIR ${PROJECT_SOURCE_DIR}/installer)
set(CPACK_NSIS_MUI_ICON ${PROJECT_SOURCE_DIR}/frontend/startup/resources/nuvrel.ico)
set(CPACK_NSIS_MUI_UNIICON ${CPACK_NSIS_MUI_ICON})
set(CPACK_NSIS_COMPRESSOR "/SOLID lzma")
include(CPack)
