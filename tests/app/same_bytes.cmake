# Builds the release executable again, from a copy of the sources in another folder and in another
# build folder, and fails unless it has the same bytes as the one given: what someone who clones
# the same commit elsewhere gets.
#   cmake -DSOURCE=<source tree> -DWORK=<scratch folder> -DEXPECTED=<release exe>
#         -P same_bytes.cmake
# WORK is kept between runs, so that a rerun compiles only what changed.
cmake_policy(VERSION 3.25)

# Another name and another length than any checkout, so that a path that reached the file would
# move or change its bytes.
set(copy "${WORK}/a-second-checkout")
set(build "${WORK}/its-build")

# The sources as a clone has them: everything but build output and Git's own data. Copying keeps
# the files' times, so unchanged files are not compiled again.
file(GLOB entries RELATIVE "${SOURCE}" "${SOURCE}/*")
list(REMOVE_ITEM entries build dist .git)
file(MAKE_DIRECTORY "${copy}")
foreach(entry IN LISTS entries)
    file(COPY "${SOURCE}/${entry}" DESTINATION "${copy}")
endforeach()

execute_process(COMMAND "${CMAKE_COMMAND}" --preset release -B "${build}"
                WORKING_DIRECTORY "${copy}" RESULT_VARIABLE status OUTPUT_QUIET)
if(status EQUAL 0)
    execute_process(COMMAND "${CMAKE_COMMAND}" --build "${build}" --target tilu_release
                            --parallel 2
                    RESULT_VARIABLE status OUTPUT_QUIET)
endif()
if(NOT status EQUAL 0)
    message(FATAL_ERROR "the second build failed (see ${build})")
endif()

get_filename_component(name "${EXPECTED}" NAME)
set(built "${build}/app/release/${name}")
file(SHA256 "${EXPECTED}" expected_sha)
file(SHA256 "${built}" built_sha)
message(STATUS "${expected_sha}  ${EXPECTED}")
message(STATUS "${built_sha}  ${built}")
if(NOT built_sha STREQUAL expected_sha)
    message(FATAL_ERROR "the two builds differ; compare them with: cmp -l \"${EXPECTED}\" \"${built}\"")
endif()
