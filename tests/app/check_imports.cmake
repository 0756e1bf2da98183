# Fails unless the executable imports Windows system DLLs only, so that it runs as a single file.
#   cmake -DOBJDUMP=<objdump> -DPROGRAM=<exe> -P check_imports.cmake
cmake_policy(VERSION 3.25)

set(allowed
    kernel32 user32 gdi32 advapi32 comctl32 comdlg32 shell32 shlwapi ole32 oleaut32 oleacc uxtheme
    version msvcrt ucrtbase)

execute_process(COMMAND "${OBJDUMP}" -p "${PROGRAM}"
                OUTPUT_VARIABLE dump RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "objdump failed on ${PROGRAM}")
endif()

string(REGEX MATCHALL "DLL Name: [^\n]+" lines "${dump}")
if(NOT lines)
    message(FATAL_ERROR "no imports found in ${PROGRAM}")
endif()
set(foreign "")
foreach(line IN LISTS lines)
    string(REGEX REPLACE "DLL Name: ([^\r\n]+)" "\\1" dll "${line}")
    string(STRIP "${dll}" dll)
    string(TOLOWER "${dll}" name)
    string(REGEX REPLACE "\\.dll$" "" name "${name}")
    message(STATUS "imports ${dll}")
    if(NOT name IN_LIST allowed AND NOT name MATCHES "^api-ms-win-")
        list(APPEND foreign "${dll}")
    endif()
endforeach()
if(foreign)
    message(FATAL_ERROR "imports DLLs that are not part of Windows: ${foreign}")
endif()
