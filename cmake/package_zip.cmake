# Run by cpack after it has packed (CPACK_POST_BUILD_SCRIPTS): the ZIP archive is written
# again from the staged files, in sorted order, with the times that they took before packing
# (in UTC) and without owners or other extra fields, so that every build gives its bytes.
if(NOT CPACK_GENERATOR STREQUAL "ZIP")
    return()
endif()
file(GLOB_RECURSE names LIST_DIRECTORIES false RELATIVE "${CPACK_TEMPORARY_DIRECTORY}"
    "${CPACK_TEMPORARY_DIRECTORY}/*")
list(SORT names)
foreach(archive IN LISTS CPACK_PACKAGE_FILES)
    file(REMOVE "${archive}")
    execute_process(COMMAND env TZ=UTC ${CPACK_NUVREL_ZIP} -X -D -9 -q "${archive}" ${names}
        WORKING_DIRECTORY "${CPACK_TEMPORARY_DIRECTORY}" RESULT_VARIABLE result)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "zip failed: ${result}")
    endif()
endforeach()
