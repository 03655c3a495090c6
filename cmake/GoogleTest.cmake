# GoogleTest from Debian's source package, built with the project's compiler
# (native or mingw) so that the same tests run natively and under Wine.
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)

include(GoogleTest)

# camfolio_add_test(NAME SOURCES... [LIBS ...]): one test executable; natively
# each case is a CTest test, under Wine the executable is one test (listing
# cases would start Wine at build time).
function(camfolio_add_test name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    # Every test program in one folder, whatever folder declares it: tests find
    # the stand-ins and the deliverables relative to it.
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gmock GTest::gtest_main)
    # GCC 12 reports false overlaps inside std::u16string's operator+ when
    # optimising (GCC bug 105651); the tests build strings that way freely.
    if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
        target_compile_options(${name} PRIVATE -Wno-restrict)
    endif()
    if(NOT CAMFOLIO_RUN_TESTS)
        return()
    endif()
    if(CMAKE_CROSSCOMPILING)
        add_test(NAME ${name} COMMAND ${name})
        # A window nobody answers must fail the run, not stall it.
        set_tests_properties(${name} PROPERTIES TIMEOUT 300)
    else()
        gtest_discover_tests(${name} DISCOVERY_TIMEOUT 30)
    endif()
endfunction()
