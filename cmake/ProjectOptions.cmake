# Warnings, static linking and sanitizers shared by every target of the project.
add_library(tilu_options INTERFACE)
target_compile_options(tilu_options INTERFACE -Wall -Wextra -Wpedantic -Wshadow -Wconversion
                                              -Wno-sign-conversion)
if(WIN32)
    # Unicode W APIs everywhere; the history benchmark's floor calls the A functions by name.
    # Windows 7 headers: a function that Windows 7 lacks fails to compile unless it is looked up
    # at run time (ui/layer/dpi.cpp).
    target_compile_definitions(tilu_options INTERFACE UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX
                                                      _WIN32_WINNT=0x0601 WINVER=0x0601)
endif()
if(MINGW)
    # One self-contained exe: no libstdc++, libgcc or winpthread DLL next to it, whether
    # cross-compiled or built with mingw-w64 on Windows.
    add_link_options(-static -static-libgcc -static-libstdc++)
    # The same bytes from the same sources, whenever and wherever they are built: no link time in
    # the PE header (Debian's linker writes one by default), and source paths in __FILE__ and
    # debug information relative to the project, not to the folder it was cloned into.
    add_link_options(-Wl,--no-insert-timestamp)
    target_compile_options(tilu_options INTERFACE -ffile-prefix-map=${PROJECT_SOURCE_DIR}/=)
    # Size (the executable must stay within 512 KiB with every toolchain): each function and
    # datum in a section of its own, so that the linker drops what nothing calls; and -O2 rather
    # than -O3, whose inlining and unrolling made the stripped program about 47 KiB larger.
    target_compile_options(tilu_options INTERFACE -ffunction-sections -fdata-sections)
    add_link_options(-Wl,--gc-sections)
    string(REPLACE "-O3" "-O2" CMAKE_CXX_FLAGS_RELEASE "${CMAKE_CXX_FLAGS_RELEASE}")
endif()
if(TILU_SANITIZE AND NOT WIN32)
    target_compile_options(tilu_options INTERFACE -fsanitize=address,undefined
                                                  -fno-sanitize-recover=all -fno-omit-frame-pointer)
    target_link_options(tilu_options INTERFACE -fsanitize=address,undefined)
endif()
