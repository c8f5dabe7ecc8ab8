# Read by cpack for each generator (CPACK_PROJECT_CONFIG_FILE).

# The setup program is Nuvrel-<version>-setup.exe, beside the archive
# Nuvrel-<version>-<processor>.zip.
if(CPACK_GENERATOR STREQUAL "NSIS")
    set(CPACK_PACKAGE_FILE_NAME "${CPACK_PACKAGE_NAME}-${CPACK_PACKAGE_VERSION}-setup")
endif()

# Every time stored in a download is the source's: the caller's SOURCE_DATE_EPOCH, or the
# time of the last commit as it is now. The Debian generator reads it from the environment;
# the scripts that prepare the staged files and the archive read it from there too.
include(${CPACK_NUVREL_SOURCE_DIR}/cmake/source_date_epoch.cmake)
nuvrel_source_date_epoch(epoch ${CPACK_NUVREL_SOURCE_DIR})
set(ENV{SOURCE_DATE_EPOCH} ${epoch})
