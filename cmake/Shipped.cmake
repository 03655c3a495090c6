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
