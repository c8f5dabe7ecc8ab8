# The time that stamps the downloads wherever a build would take the clock's: the caller's
# SOURCE_DATE_EPOCH when set, else the time of the last commit, else the clock (a source tree
# without its history). Used when CMake configures and again when cpack runs.
function(nuvrel_source_date_epoch variable source_dir)
    set(epoch "$ENV{SOURCE_DATE_EPOCH}")
    if(NOT epoch MATCHES "^[0-9]+$")
        find_program(NUVREL_GIT git)
        if(NUVREL_GIT)
            execute_process(COMMAND ${NUVREL_GIT} -C "${source_dir}" log -1 --format=%ct
                OUTPUT_VARIABLE epoch OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
        endif()
    endif()
    if(NOT epoch MATCHES "^[0-9]+$")
        string(TIMESTAMP epoch "%s" UTC)
    endif()
    set(${variable} ${epoch} PARENT_SCOPE)
endfunction()
