# Brings the i686 builder of the 32-bit tree up to date for a 64-bit tree and
# copies it there; configures the 32-bit tree first when it is not yet, so
# that a 64-bit tree builds on its own.
# Usage: cmake -DSOURCE_DIR=... -DTREE=... -DCOPY_TO=.../CamfolioFmt.exe -P build-win32-builder.cmake
if(NOT EXISTS ${TREE}/CMakeCache.txt)
    execute_process(COMMAND ${CMAKE_COMMAND} -S ${SOURCE_DIR} -B ${TREE} --preset win32
                    OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
endif()
execute_process(COMMAND ${CMAKE_COMMAND} --build ${TREE} --target CamfolioFmt --parallel 2
                COMMAND_ERROR_IS_FATAL ANY)
get_filename_component(folder ${COPY_TO} DIRECTORY)
file(MAKE_DIRECTORY ${folder})
file(COPY_FILE ${TREE}/builder/CamfolioFmt.exe ${COPY_TO} ONLY_IF_DIFFERENT)
