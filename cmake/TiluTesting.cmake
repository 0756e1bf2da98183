# tilu_add_gtest(<target> <sources>...): one GoogleTest program, registered with ctest as
# native.<target> on Linux and wine.<target> in the Windows build (run under Wine by the
# toolchain's emulator). Windows test programs carry the application manifest.
function(tilu_add_gtest target)
    add_executable(${target} ${ARGN})
    target_link_libraries(${target} PRIVATE gtest_main tilu_options)
    target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR})
    if(WIN32)
        target_link_libraries(${target} PRIVATE tilu_manifest)
        set(backend wine)
    else()
        set(backend native)
    endif()
    add_test(NAME ${backend}.${target} COMMAND ${target} --gtest_brief=0)
    set_tests_properties(${backend}.${target} PROPERTIES LABELS "${backend}")
endfunction()
