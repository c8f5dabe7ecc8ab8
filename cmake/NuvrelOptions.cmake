# Compiler settings shared by every target of the project.
add_library(nuvrel_options INTERFACE)
target_include_directories(nuvrel_options INTERFACE ${PROJECT_SOURCE_DIR})
target_compile_options(nuvrel_options INTERFACE
    -Wall -Wextra -Wpedantic
    # A seed must give the same scene on every target: IEEE single and double arithmetic
    # in SSE registers, no fused multiply-adds, no value-changing optimisations.
    -ffp-contract=off
    # No build folder in the programs: two builds of one commit in different folders give
    # the same bytes. The build folder's own map comes last, so it wins inside the sources.
    -ffile-prefix-map=${PROJECT_SOURCE_DIR}=.
    -ffile-prefix-map=${PROJECT_BINARY_DIR}=build)

if(NUVREL_SANITIZE)
    target_compile_options(nuvrel_options INTERFACE
        -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
    target_link_options(nuvrel_options INTERFACE -fsanitize=address,undefined)
endif()

if(WIN32)
    # printf as C99 says, on every Windows C runtime.
    target_compile_definitions(nuvrel_options INTERFACE __USE_MINGW_ANSI_STDIO=1)
    # No link time in the PE header, for the same reason.
    target_link_options(nuvrel_options INTERFACE LINKER:--no-insert-timestamp)
endif()
