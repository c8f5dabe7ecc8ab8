# Builds the Debian package and checks that it holds the program where XScreenSaver looks
# for it and its settings description, and that the packaged program starts.
cmake_minimum_required(VERSION 3.25)
file(REMOVE_RECURSE "${OUTPUT_DIR}")
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
if(NOT files STREQUAL "./usr/libexec/xscreensaver/nuvrel;./usr/share/xscreensaver/config/nuvrel.xml")
    message(FATAL_ERROR "the package holds: ${files}")
endif()
execute_process(COMMAND dpkg-deb --field ${packages} Package Depends OUTPUT_VARIABLE fields)
if(NOT fields MATCHES "Package: nuvrel\n" OR NOT fields MATCHES "libx11-6" OR
   NOT fields MATCHES "libglu1-mesa")
    message(FATAL_ERROR "the package's fields: ${fields}")
endif()

set(root "${OUTPUT_DIR}/root")
execute_process(COMMAND dpkg-deb --extract ${packages} "${root}")
execute_process(COMMAND "${root}/usr/libexec/xscreensaver/nuvrel" --help
    RESULT_VARIABLE result OUTPUT_VARIABLE usage)
if(NOT result EQUAL 0 OR NOT usage MATCHES "^usage: nuvrel ")
    message(FATAL_ERROR "the packaged program's --help: ${result} ${usage}")
endif()
file(READ "${root}/usr/share/xscreensaver/config/nuvrel.xml" config)
foreach(expected "<screensaver name=\"nuvrel\"" "<command arg=\"-root\"/>" "arg=\"-delay %\""
        "arg-set=\"-fps\"")
    string(FIND "${config}" "${expected}" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "nuvrel.xml lacks ${expected}")
    endif()
endforeach()
