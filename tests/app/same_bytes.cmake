# Builds the release again from a copy of the sources in another folder, as a second clone of the
# commit would, and fails unless it has the same bytes as EXPECTED. WORK is kept, so that a rerun
# compiles only what changed (the copy keeps the files' times).
#   cmake -DSOURCE=<source tree> -DWORK=<scratch folder> -DEXPECTED=<release exe>
#         -P same_bytes.cmake
cmake_policy(VERSION 3.25)

# A folder name of another length than the checkout's, so that a path in the file shows.
set(copy "${WORK}/a-second-checkout")
file(GLOB entries RELATIVE "${SOURCE}" "${SOURCE}/*")
list(REMOVE_ITEM entries build dist .git)
foreach(entry IN LISTS entries)
    file(COPY "${SOURCE}/${entry}" DESTINATION "${copy}")
endforeach()

execute_process(COMMAND "${CMAKE_COMMAND}" --preset release -B "${WORK}/build"
                WORKING_DIRECTORY "${copy}" OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND "${CMAKE_COMMAND}" --build "${WORK}/build" --target tilu_release
                        --parallel 2
                OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)

get_filename_component(name "${EXPECTED}" NAME)
set(built "${WORK}/build/app/release/${name}")
file(SHA256 "${EXPECTED}" expected_sha)
file(SHA256 "${built}" built_sha)
message(STATUS "${expected_sha}  ${EXPECTED}")
message(STATUS "${built_sha}  ${built}")
if(NOT built_sha STREQUAL expected_sha)
    message(FATAL_ERROR "the two builds differ")
endif()
