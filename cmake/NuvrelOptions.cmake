# Compiler settings shared by every target of the project.
add_library(nuvrel_options INTERFACE)
target_include_directories(nuvrel_options INTERFACE ${PROJECT_SOURCE_DIR})
target_compile_options(nuvrel_options INTERFACE
    -Wall -Wextra -Wpedantic
    # A seed must give the same scene on every target: IEEE single and double arithmetic
    # in SSE registers, no fused multiply-adds, no value-changing optimisations.
    -ffp-contract=off)

if(NUVREL_SANITIZE)
    target_compile_options(nuvrel_options INTERFACE
        -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
    target_link_options(nuvrel_options INTERFACE -fsanitize=address,undefined)
endif()

if(WIN32)
    # printf as C99 says, on every Windows C runtime.
    target_compile_definitions(nuvrel_options INTERFACE __USE_MINGW_ANSI_STDIO=1)
endif()
