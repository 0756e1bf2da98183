# tilu_add_gtest(<target> [DESKTOP] [ANY_CODE_PAGE] <sources>...): one GoogleTest program,
# registered with ctest as native.<target> on Linux and wine.<target> in the Windows build (run
# under Wine by the toolchain's emulator). Windows test programs carry the application manifest.
# DESKTOP marks a program that shows windows: such programs never run at the same time, because
# they share the prefix's desktop and its one active window, and a window of one would take the
# focus that another checks. ANY_CODE_PAGE builds the program a second time without the manifest,
# as wine.<target>.cp1252: its UTF-8 code page then is not there (Windows before 10 1903 ignores
# it), and the process runs under the legacy code page of the prefix's locale. Every test program
# gets a time limit: a window left open would otherwise hang it for ctest's default of 1500 s.
set(TILU_TEST_TIMEOUT 300 CACHE STRING "Seconds a test program may run")
function(tilu_add_gtest target)
    cmake_parse_arguments(PARSE_ARGV 1 arg "DESKTOP;ANY_CODE_PAGE" "" "")
    add_executable(${target} ${arg_UNPARSED_ARGUMENTS})
    target_link_libraries(${target} PRIVATE gtest_main tilu_options)
    target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR})
    if(WIN32)
        target_link_libraries(${target} PRIVATE tilu_manifest)
        set(backend wine)
    else()
        set(backend native)
    endif()
    add_test(NAME ${backend}.${target} COMMAND ${target} --gtest_brief=0)
    set_tests_properties(${backend}.${target} PROPERTIES LABELS "${backend}"
        TIMEOUT ${TILU_TEST_TIMEOUT})
    if(arg_DESKTOP)
        set_tests_properties(${backend}.${target} PROPERTIES RESOURCE_LOCK desktop)
    endif()
    if(WIN32 AND arg_ANY_CODE_PAGE)
        add_executable(${target}_cp1252 ${arg_UNPARSED_ARGUMENTS})
        # The same libraries, linked to the first program later too, less the manifest.
        target_link_libraries(${target}_cp1252 PRIVATE
            "$<FILTER:$<TARGET_PROPERTY:${target},LINK_LIBRARIES>,EXCLUDE,^tilu_manifest$>")
        target_include_directories(${target}_cp1252 PRIVATE ${PROJECT_SOURCE_DIR})
        add_test(NAME wine.${target}.cp1252 COMMAND ${target}_cp1252 --gtest_brief=0)
        # Both programs work in the same scratch keys of the prefix: never at the same time.
        set_tests_properties(wine.${target}.cp1252 PROPERTIES LABELS wine
            TIMEOUT ${TILU_TEST_TIMEOUT} RESOURCE_LOCK ${target})
        set_property(TEST wine.${target} APPEND PROPERTY RESOURCE_LOCK ${target})
    endif()
endfunction()
