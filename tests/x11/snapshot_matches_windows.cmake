# Draws the same frames of the same seeds with the Windows renderer's drawing code (under
# Wine) and with the Linux program (under Xvfb), both on Mesa's software OpenGL, and compares
# the pictures pixel by pixel: at most 0.2% of the pixels may differ by more than 3% of the
# colour range. Seed 3 gives the side view, seed 261 the view from above.
cmake_minimum_required(VERSION 3.25)
set(size 400x300)
set(pixels 120000)
set(frames 300)
foreach(seed 3 261)
    set(windows_picture "${OUTPUT_DIR}/snapshot-seed${seed}-windows.ppm")
    set(linux_picture "${OUTPUT_DIR}/snapshot-seed${seed}-linux.ppm")
    file(REMOVE "${windows_picture}" "${linux_picture}")
    execute_process(COMMAND ${WINDOWS_RUN} --seed ${seed} --frames ${frames} --size ${size}
        --out "${windows_picture}" RESULT_VARIABLE result ERROR_VARIABLE errors)
    if(NOT result EQUAL 0 OR NOT EXISTS "${windows_picture}")
        message(FATAL_ERROR "the Windows snapshot of seed ${seed} failed: ${result} ${errors}")
    endif()
    execute_process(COMMAND ${LINUX_RUN} -window --seed ${seed} --frames ${frames} --size ${size}
        --snapshot "${linux_picture}" RESULT_VARIABLE result ERROR_VARIABLE errors OUTPUT_QUIET)
    if(NOT result EQUAL 0 OR NOT EXISTS "${linux_picture}")
        message(FATAL_ERROR "the Linux snapshot of seed ${seed} failed: ${result} ${errors}")
    endif()

    # Neither picture may be empty: the vortex has coloured particles by then.
    foreach(picture "${windows_picture}" "${linux_picture}")
        execute_process(COMMAND convert "${picture}" -colorspace HSL -channel G -separate
            -threshold 30% -format "%[fx:round(mean*w*h)]" info: OUTPUT_VARIABLE coloured)
        if(coloured LESS 300)
            message(FATAL_ERROR "${picture} shows too little: ${coloured} coloured pixels")
        endif()
    endforeach()

    # compare prints the number of pixels that differ beyond the fuzz on its error output.
    execute_process(COMMAND compare -metric AE -fuzz 3% "${windows_picture}" "${linux_picture}"
        "${OUTPUT_DIR}/snapshot-seed${seed}-difference.png" ERROR_VARIABLE differing)
    string(STRIP "${differing}" differing)
    if(NOT differing MATCHES "^[0-9]+$")
        message(FATAL_ERROR "compare failed: ${differing}")
    endif()
    message(STATUS "seed ${seed}: ${differing} of ${pixels} pixels differ")
    math(EXPR allowed "${pixels} / 500")
    if(differing GREATER allowed)
        message(FATAL_ERROR
            "seed ${seed}: ${differing} pixels differ between the Windows and Linux pictures "
            "(at most ${allowed}); see ${OUTPUT_DIR}/snapshot-seed${seed}-difference.png")
    endif()
endforeach()
