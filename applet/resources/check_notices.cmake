# Fails the build when a licence notice is missing or empty: the About page
# would show nothing for it. Usage: cmake -DNOTICES=a;b -DSTAMP=file -P this
foreach(notice IN LISTS NOTICES)
    if(NOT EXISTS "${notice}")
        message(FATAL_ERROR "licence notice missing: ${notice}")
    endif()
    file(SIZE "${notice}" size)
    if(size EQUAL 0)
        message(FATAL_ERROR "licence notice empty: ${notice}")
    endif()
endforeach()
file(TOUCH "${STAMP}")
