# The one version of every program and download is project()'s; from it come the Windows
# programs' version resources, the setup program, the downloads' names, the Debian package,
# the manual page and `nuvrel --version`.
set(NUVREL_COMPANY Nuvrel)
set(NUVREL_COPYRIGHT "Copyright (c) 2026 The Nuvrel maintainers")
include(${CMAKE_CURRENT_LIST_DIR}/source_date_epoch.cmake)
nuvrel_source_date_epoch(NUVREL_SOURCE_DATE_EPOCH ${PROJECT_SOURCE_DIR})
# Its day, for the manual page: string(TIMESTAMP) reads SOURCE_DATE_EPOCH in place of the clock.
set(caller_epoch "$ENV{SOURCE_DATE_EPOCH}")
set(ENV{SOURCE_DATE_EPOCH} ${NUVREL_SOURCE_DATE_EPOCH})
string(TIMESTAMP NUVREL_SOURCE_DATE "%Y-%m-%d" UTC)
set(ENV{SOURCE_DATE_EPOCH} "${caller_epoch}")

# The version for C++ and resource scripts alike.
set(NUVREL_VERSION_NUMBERS "${PROJECT_VERSION_MAJOR},${PROJECT_VERSION_MINOR},${PROJECT_VERSION_PATCH},0")
configure_file(${CMAKE_CURRENT_LIST_DIR}/version.h.in
    ${PROJECT_BINARY_DIR}/generated/nuvrel_version.h @ONLY)

# A program's VERSIONINFO: the version, the product and its maker, and what the program is.
function(nuvrel_version_resource target rc_source description original_filename)
    set(NUVREL_FILE_DESCRIPTION "${description}")
    set(NUVREL_ORIGINAL_FILENAME "${original_filename}")
    set(dir ${CMAKE_CURRENT_BINARY_DIR}/${target}-version)
    configure_file(${PROJECT_SOURCE_DIR}/cmake/version_info.rc.in ${dir}/version_info.rc @ONLY)
    set_property(SOURCE ${rc_source} APPEND PROPERTY INCLUDE_DIRECTORIES
        ${dir} ${PROJECT_BINARY_DIR}/generated)
    set_property(SOURCE ${rc_source} APPEND PROPERTY OBJECT_DEPENDS
        ${dir}/version_info.rc ${PROJECT_BINARY_DIR}/generated/nuvrel_version.h)
endfunction()
