# Warnings, sanitizers and the static runtime rule for Windows binaries.
add_compile_options(-Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wno-sign-conversion)

if(WIN32)
    # Unicode Win32 entry points, no min/max macros, XP-era headers still allowed.
    add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
    # Shipped binaries must import Windows system DLLs only: the C++ runtime,
    # libgcc and winpthread are linked in.
    add_link_options(-static -static-libgcc -static-libstdc++)
endif()

if(CAMFOLIO_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
endif()

if(CAMFOLIO_FUZZ)
    # Coverage for the fuzzer everywhere; only the fuzz targets link its main.
    add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all
                        -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
endif()

if(CMAKE_CROSSCOMPILING)
    # Every test executable of a cross build runs through Wine in the private
    # prefix that tools/wine/prepare.sh set up in this build tree.
    set(CMAKE_CROSSCOMPILING_EMULATOR
        "${CMAKE_SOURCE_DIR}/tools/wine/run-in-wine.sh;${CMAKE_BINARY_DIR}")
endif()

# Tests are run for native and 64-bit Windows builds; the 32-bit build runs
# only the tests of the program that ships as 32-bit (tests/builder).
if(CMAKE_CROSSCOMPILING AND CMAKE_SIZEOF_VOID_P EQUAL 4)
    set(CAMFOLIO_RUN_TESTS OFF)
else()
    set(CAMFOLIO_RUN_TESTS ON)
endif()
