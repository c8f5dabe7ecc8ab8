# Builds the Debian package and checks it as Debian's packaged display modes are: the program
# where XScreenSaver looks for it, its settings description written as XScreenSaver's own
# are, the manual page, the copyright file and changelog, and lintian's verdict.
cmake_minimum_required(VERSION 3.25)
file(REMOVE_RECURSE "${OUTPUT_DIR}")
# A fixed source time, which cpack takes instead of the last commit's.
set(ENV{SOURCE_DATE_EPOCH} 1700000000)
execute_process(COMMAND ${CPACK} -G DEB -B "${OUTPUT_DIR}" --config "${CONFIG}"
    RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "cpack failed: ${result}")
endif()
file(GLOB packages "${OUTPUT_DIR}/nuvrel_*.deb")
list(LENGTH packages count)
if(NOT count EQUAL 1)
    message(FATAL_ERROR "expected one nuvrel_*.deb, found: ${packages}")
endif()

execute_process(COMMAND dpkg-deb --contents ${packages} OUTPUT_VARIABLE listing)
string(REGEX MATCHALL "\\./usr/[^\n]*[^/\n]\n" files "${listing}")
list(TRANSFORM files STRIP)
list(SORT files)
set(expected_files
    ./usr/libexec/xscreensaver/nuvrel
    ./usr/share/doc/nuvrel/changelog.Debian.gz
    ./usr/share/doc/nuvrel/copyright
    ./usr/share/man/man6/nuvrel.6x.gz
    ./usr/share/xscreensaver/config/nuvrel.xml)
if(NOT files STREQUAL expected_files)
    message(FATAL_ERROR "the package holds: ${files}")
endif()
execute_process(COMMAND dpkg-deb --field ${packages} Package Version Depends
    OUTPUT_VARIABLE fields)
if(NOT fields MATCHES "Package: nuvrel\n" OR NOT fields MATCHES "libx11-6" OR
   NOT fields MATCHES "libglu1-mesa")
    message(FATAL_ERROR "the package's fields: ${fields}")
endif()
string(REGEX MATCH "Version: ([^\n]*)" _ "${fields}")
set(version "${CMAKE_MATCH_1}")
if(NOT version STREQUAL "${PROJECT_VERSION}-1")
    message(FATAL_ERROR "the package's version ${version}, the project's ${PROJECT_VERSION}")
endif()

# Every file and folder carries the source time, whatever the time and umask of the build.
execute_process(COMMAND env TZ=UTC dpkg-deb --contents ${packages} OUTPUT_VARIABLE listing)
string(REGEX MATCHALL "[^\n]+" entries "${listing}")
foreach(entry IN LISTS entries)
    if(NOT entry MATCHES " 2023-11-14 22:13 " OR
       (entry MATCHES "^d" AND NOT entry MATCHES "^drwxr-xr-x root/root "))
        message(FATAL_ERROR "the package's entry: ${entry}")
    endif()
endforeach()

set(root "${OUTPUT_DIR}/root")
execute_process(COMMAND dpkg-deb --extract ${packages} "${root}")
execute_process(COMMAND "${root}/usr/libexec/xscreensaver/nuvrel" --help
    RESULT_VARIABLE result OUTPUT_VARIABLE usage)
if(NOT result EQUAL 0 OR NOT usage MATCHES "^usage: nuvrel ")
    message(FATAL_ERROR "the packaged program's --help: ${result} ${usage}")
endif()
execute_process(COMMAND "${root}/usr/libexec/xscreensaver/nuvrel" --version
    RESULT_VARIABLE result OUTPUT_VARIABLE program_version)
if(NOT result EQUAL 0 OR NOT program_version STREQUAL "nuvrel ${PROJECT_VERSION}\n")
    message(FATAL_ERROR "the packaged program's --version: ${result} ${program_version}")
endif()

function(require_all text what)
    foreach(expected IN LISTS ARGN)
        string(FIND "${text}" "${expected}" at)
        if(at EQUAL -1)
            message(FATAL_ERROR "${what} lacks ${expected}")
        endif()
    endforeach()
endfunction()

# XScreenSaver's daemon and its GL configs write the options with two dashes.
file(READ "${root}/usr/share/xscreensaver/config/nuvrel.xml" config)
require_all("${config}" nuvrel.xml "<screensaver name=\"nuvrel\" _label=\"Nuvrel\" gl=\"yes\">"
    "<command arg=\"--root\"/>" "arg=\"--delay %\"" "default=\"0\"" "arg-set=\"--fps\""
    "<xscreensaver-updater />")
if(NOT config MATCHES "\n\nWritten by [^\n;]+; [0-9][0-9][0-9][0-9]\\.\n  </_description>")
    message(FATAL_ERROR "nuvrel.xml's description does not end with its author and year")
endif()

# The manual page: compressed without a stored name or time, and without groff's complaints.
set(manual "${root}/usr/share/man/man6/nuvrel.6x.gz")
file(READ "${manual}" header LIMIT 8 HEX)
if(NOT header MATCHES "^1f8b0800........$" OR NOT header MATCHES "00000000$")
    message(FATAL_ERROR "nuvrel.6x.gz keeps a name or a time: ${header}")
endif()
execute_process(COMMAND man --warnings -E UTF-8 -l -Tutf8 -Z "${manual}"
    RESULT_VARIABLE result OUTPUT_QUIET ERROR_VARIABLE warnings)
if(NOT result EQUAL 0 OR NOT warnings STREQUAL "")
    message(FATAL_ERROR "man on nuvrel.6x: ${result} ${warnings}")
endif()
execute_process(COMMAND env LC_ALL=C MANWIDTH=200 man -l "${manual}"
    OUTPUT_VARIABLE page ERROR_QUIET)
string(REGEX REPLACE " +" " " page "${page}")
require_all("${page}" "the manual page" "Nuvrel ${PROJECT_VERSION}" "--version" "nuvrel - " "--root" "--window-id" "--delay" "--fps"
    "ENVIRONMENT" "XSCREENSAVER_WINDOW" "EXIT STATUS" "SIGTERM")

file(READ "${root}/usr/share/doc/nuvrel/copyright" copyright)
if(NOT copyright MATCHES
       "^Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/\n")
    message(FATAL_ERROR "copyright is not in the machine-readable format")
endif()
require_all("${copyright}" copyright "Upstream-Name: Nuvrel\n" "\nFiles: *\nCopyright: "
    "\nLicense: Expat\n"
    "Copyright: 2026 The Nuvrel maintainers\n")

execute_process(
    COMMAND sh -c "gzip -dc \"$0\" > \"$1\"" "${root}/usr/share/doc/nuvrel/changelog.Debian.gz"
        "${OUTPUT_DIR}/changelog")
execute_process(COMMAND dpkg-parsechangelog -l "${OUTPUT_DIR}/changelog" -S Version
    RESULT_VARIABLE result OUTPUT_VARIABLE changelog_version OUTPUT_STRIP_TRAILING_WHITESPACE)
if(NOT result EQUAL 0 OR NOT changelog_version STREQUAL version)
    message(FATAL_ERROR "changelog.Debian.gz's version ${changelog_version}, package ${version}")
endif()

# Lintian: no errors, and no warnings but the accepted ones.
if(NOT LINTIAN)
    message(FATAL_ERROR "lintian is missing: run scripts/install-deps.sh")
endif()
execute_process(COMMAND ${LINTIAN} --no-tag-display-limit ${packages}
    OUTPUT_VARIABLE report ERROR_VARIABLE lintian_errors RESULT_VARIABLE result)
message(STATUS "lintian:\n${report}")
if(result GREATER 1)
    message(FATAL_ERROR "lintian failed: ${result} ${lintian_errors}")
endif()
file(STRINGS "${ACCEPTED_TAGS}" accepted REGEX "^[a-z0-9]")
string(REGEX MATCHALL "(^|\n)[EW]: nuvrel[^:]*: [^ \n]+" findings "${report}")
foreach(finding IN LISTS findings)
    string(REGEX REPLACE "^\n?([EW]): nuvrel[^:]*: " "\\1 " finding "${finding}")
    string(REGEX REPLACE "^[EW] " "" tag "${finding}")
    if(finding MATCHES "^E " OR NOT tag IN_LIST accepted)
        message(FATAL_ERROR "lintian: ${finding}\n${report}")
    endif()
endforeach()
