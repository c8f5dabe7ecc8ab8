# Runs the simulator with bad command lines; each must print the usage and exit with 2.
foreach(arguments "" "--seed;1" "--seed;x;--frames;1" "--seed;1;--frames;-5" "--help")
    execute_process(COMMAND ${RUN} ${arguments}
        RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE error)
    if(NOT result EQUAL 2)
        message(FATAL_ERROR "'${arguments}': exit code ${result}, expected 2")
    endif()
    if(NOT error MATCHES "^usage: nuvrel-sim --seed S --frames N \\[--dump\\]")
        message(FATAL_ERROR "'${arguments}': no usage on stderr: ${error}")
    endif()
    if(NOT output STREQUAL "")
        message(FATAL_ERROR "'${arguments}': unexpected output: ${output}")
    endif()
endforeach()
