# Dumps the same scene with the Windows and the native simulator and compares the bytes.
cmake_minimum_required(VERSION 3.25)
foreach(side WINDOWS NATIVE)
    set(file "${OUTPUT_DIR}/sim-seed1-1000-${side}.json")
    execute_process(COMMAND ${${side}_RUN} --seed 1 --frames 1000 --dump
        OUTPUT_FILE "${file}" RESULT_VARIABLE result)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "${side} simulator failed: ${result}")
    endif()
    file(SIZE "${file}" size)
    if(size LESS 100000)
        message(FATAL_ERROR "${side} dump is too short: ${size} bytes")
    endif()
endforeach()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files
    "${OUTPUT_DIR}/sim-seed1-1000-WINDOWS.json" "${OUTPUT_DIR}/sim-seed1-1000-NATIVE.json"
    RESULT_VARIABLE different)
if(different)
    message(FATAL_ERROR "the Windows and native dumps differ")
endif()
