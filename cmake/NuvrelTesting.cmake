# GoogleTest: Debian's build for the host, and the same sources built here for Windows.
include(GoogleTest)

if(CMAKE_CROSSCOMPILING)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
    add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
else()
    find_package(GTest REQUIRED)
endif()

# Windows tests run under Wine where this machine can start the programs; where it cannot
# (a kernel without 32-bit user mode and a 32-bit build), they are built but not run.
set(NUVREL_RUN_TESTS ON)
if(CMAKE_CROSSCOMPILING)
    execute_process(COMMAND ${CMAKE_CROSSCOMPILING_EMULATOR} --check RESULT_VARIABLE wine_check)
    if(NOT wine_check EQUAL 0)
        set(NUVREL_RUN_TESTS OFF)
        message(WARNING "Wine cannot start ${CMAKE_SYSTEM_PROCESSOR} programs on this machine: "
                        "the tests are built but not run here.")
    endif()
endif()

# nuvrel_add_gtest(<name> SOURCES <files...> LIBRARIES <targets...> [PROPERTIES <test properties...>])
function(nuvrel_add_gtest name)
    cmake_parse_arguments(PARSE_ARGV 1 ARG "" "" "SOURCES;LIBRARIES;PROPERTIES")
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBRARIES} GTest::gtest_main)
    if(NUVREL_RUN_TESTS)
        # Listed when ctest runs, so that building never needs Wine.
        if(ARG_PROPERTIES)
            set(properties PROPERTIES ${ARG_PROPERTIES})
        endif()
        gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120 ${properties})
    endif()
endfunction()

# Self-contained Windows programs: nothing but the system's own DLLs may be imported.
# nuvrel_add_import_check(<target> <subsystem: 2 GUI, 3 console>)
function(nuvrel_add_import_check target subsystem)
    if(WIN32)
        add_test(NAME ${target}_is_self_contained
            COMMAND ${CMAKE_COMMAND} -DOBJDUMP=${CMAKE_OBJDUMP} -DFILE=$<TARGET_FILE:${target}>
                -DSUBSYSTEM=${subsystem} -P ${PROJECT_SOURCE_DIR}/cmake/check_imports.cmake)
    endif()
endfunction()
