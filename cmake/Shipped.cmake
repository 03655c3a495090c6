# Binaries that leave the build (deliverables and the support tool) register
# here; one test reads their import tables and fails on any DLL that is not
# part of Windows.
function(camfolio_mark_shipped target)
    set_property(GLOBAL APPEND PROPERTY CAMFOLIO_SHIPPED_TARGETS ${target})
endfunction()

function(camfolio_add_import_check)
    if(NOT WIN32)
        return()
    endif()
    get_property(targets GLOBAL PROPERTY CAMFOLIO_SHIPPED_TARGETS)
    set(files "")
    foreach(target IN LISTS targets)
        list(APPEND files "$<TARGET_FILE:${target}>")
    endforeach()
    add_test(NAME shipped_binaries_import_only_system_dlls
             COMMAND "${CMAKE_SOURCE_DIR}/cmake/check-imports.sh" "${CAMFOLIO_OBJDUMP}" ${files})
endfunction()

# The builder ships as the i686 program. Every Windows tree holds the one its
# tests and installation use in shipped/CamfolioFmt.exe (target
# shipped_builder): a 32-bit tree its own build; a 64-bit tree the i686 build
# of the 32-bit tree (CAMFOLIO_WIN32_TREE, built from here), unless Wine runs
# no 32-bit programs on this machine, where its own x86_64 build stands in.
function(camfolio_add_shipped_builder)
    set(shipped ${CMAKE_BINARY_DIR}/shipped/CamfolioFmt.exe)
    execute_process(COMMAND ${PROJECT_SOURCE_DIR}/tools/wine/runs-32bit.sh
                    RESULT_VARIABLE runs_32bit)
    if(CMAKE_SIZEOF_VOID_P EQUAL 8 AND runs_32bit EQUAL 0)
        set(CAMFOLIO_WIN32_TREE ${PROJECT_SOURCE_DIR}/build/win32 CACHE PATH
            "The 32-bit build tree whose builder the 64-bit tests and installation use")
        add_custom_target(shipped_builder ALL
            COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${PROJECT_SOURCE_DIR}
                    -DTREE=${CAMFOLIO_WIN32_TREE} -DCOPY_TO=${shipped}
                    -P ${PROJECT_SOURCE_DIR}/cmake/build-win32-builder.cmake
            BYPRODUCTS ${shipped}
            COMMENT "The i686 builder from ${CAMFOLIO_WIN32_TREE}"
            USES_TERMINAL VERBATIM)
        set(bits 32)
    else()
        if(CMAKE_SIZEOF_VOID_P EQUAL 8)
            message(WARNING "Wine runs no 32-bit programs here (install wine32:i386): the tests "
                            "and the installation use the x86_64 build of CamfolioFmt.exe")
            set(bits 64)
        else()
            set(bits 32)
        endif()
        add_custom_command(OUTPUT ${shipped}
            COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:CamfolioFmt> ${shipped}
            DEPENDS CamfolioFmt VERBATIM)
        add_custom_target(shipped_builder ALL DEPENDS ${shipped})
    endif()
    set_property(TARGET shipped_builder PROPERTY CAMFOLIO_BITS ${bits})
endfunction()
