# tilu_add_gtest(<target> [DESKTOP] <sources>...): one GoogleTest program, registered with ctest
# as native.<target> on Linux and wine.<target> in the Windows build (run under Wine by the
# toolchain's emulator). Windows test programs carry the application manifest. DESKTOP marks a
# program that shows windows: such programs never run at the same time, because they share the
# prefix's desktop and its one active window, and a window of one would take the focus that
# another checks. Every test program gets a time limit: a window left open would otherwise hang
# it for ctest's default of 1500 s.
set(TILU_TEST_TIMEOUT 120 CACHE STRING "Seconds a test program may run")

function(tilu_add_gtest target)
    cmake_parse_arguments(PARSE_ARGV 1 arg "DESKTOP" "" "")
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
endfunction()
