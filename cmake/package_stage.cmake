# Run by cpack on the staged files of a download before they are packed
# (CPACK_PRE_BUILD_SCRIPTS): the Windows programs are signed when a certificate is given,
# then every folder gets mode 755 whatever the umask, and every file and folder the source's
# time, which the archive, the setup program and the package store.
file(GLOB_RECURSE programs
    "${CPACK_TEMPORARY_DIRECTORY}/*.scr" "${CPACK_TEMPORARY_DIRECTORY}/*.dll")
if(programs)
    execute_process(COMMAND ${CPACK_NUVREL_SIGN_SCRIPT} ${programs} RESULT_VARIABLE result)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "signing the programs failed: ${result}")
    endif()
endif()
execute_process(
    COMMAND find "${CPACK_TEMPORARY_DIRECTORY}" -type d -exec chmod 755 {} +
    COMMAND_ERROR_IS_FATAL ANY)
execute_process(
    COMMAND find "${CPACK_TEMPORARY_DIRECTORY}" -exec touch -h -d @$ENV{SOURCE_DATE_EPOCH} {} +
    RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "setting the staged files' times failed: ${result}")
endif()
