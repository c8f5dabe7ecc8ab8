# Read by cpack for each generator: the setup program is Nuvrel-<version>-setup.exe, beside
# the archive Nuvrel-<version>-<processor>.zip.
if(CPACK_GENERATOR STREQUAL "NSIS")
    set(CPACK_PACKAGE_FILE_NAME "${CPACK_PACKAGE_NAME}-${CPACK_PACKAGE_VERSION}-setup")
endif()
