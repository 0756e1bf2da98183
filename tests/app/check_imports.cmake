# Fails unless every function the executable imports is in the committed list with a Windows
# version no newer than Windows 7, and unless every entry meant for this toolchain is imported.
#   cmake -DOBJDUMP=<objdump> -DPROGRAM=<exe> -DLIST=<imports.txt> -DTOOLCHAIN=<gcc-N>
#         -P check_imports.cmake
# An entry is "dll function version [toolchain]": without a toolchain both toolchains import it;
# with one, only that toolchain does, and the others do not miss it.
cmake_policy(VERSION 3.25)

# The notes an entry may carry: the first Windows that has the function.
set(supported XP Vista 7)

file(STRINGS "${LIST}" entries REGEX "^[^#]")
set(listed "")
set(expected "")
set(too_new "")
foreach(entry IN LISTS entries)
    if(NOT entry MATCHES "^([^ ]+) +([^ ]+) +([^ ]+)( +([^ ]+))?$")
        message(FATAL_ERROR "not \"dll function version [toolchain]\" in ${LIST}: ${entry}")
    endif()
    set(pair "${CMAKE_MATCH_1} ${CMAKE_MATCH_2}")
    list(APPEND listed "${pair}")
    if(NOT CMAKE_MATCH_5 OR CMAKE_MATCH_5 STREQUAL TOOLCHAIN)
        list(APPEND expected "${pair}")
    endif()
    if(NOT CMAKE_MATCH_3 IN_LIST supported)
        list(APPEND too_new "${pair} (${CMAKE_MATCH_3})")
    endif()
endforeach()

execute_process(COMMAND "${OBJDUMP}" -p "${PROGRAM}"
                OUTPUT_VARIABLE dump RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "objdump failed on ${PROGRAM}")
endif()
# Only the import tables: from their heading to the next one.
string(FIND "${dump}" "The Import Tables" start)
if(start LESS 0)
    message(FATAL_ERROR "no imports found in ${PROGRAM}")
endif()
string(SUBSTRING "${dump}" ${start} -1 dump)
string(FIND "${dump}" "\nThe " end)
string(SUBSTRING "${dump}" 0 ${end} dump)
# One list element per line; the characters that CMake lists treat specially go first.
string(REGEX REPLACE "[][;\\\\]" " " dump "${dump}")
string(REPLACE "\n" ";" lines "${dump}")

# Each DLL's table: "DLL Name: X", a heading, then one line per function that starts with its
# address and ends with its hint and name. binutils versions differ in what stands between
# (2.44 adds an ordinal column), so only both ends are read, and a line that starts like an
# entry but does not end like one stops the check rather than being skipped.
set(imported "")
set(dll "")
foreach(line IN LISTS lines)
    if(line MATCHES "DLL Name: ([^ \t]+)")
        string(TOLOWER "${CMAKE_MATCH_1}" dll)
        string(REGEX REPLACE "\\.dll$" "" dll "${dll}")
    elseif(dll AND line MATCHES "^[ \t]+[0-9a-fA-F]+[ \t]")
        if(NOT line MATCHES "[ \t]([0-9a-fA-F]+)[ \t]+([A-Za-z_][A-Za-z0-9_@?$]*)$")
            message(FATAL_ERROR "cannot read this import of ${dll} in objdump's output: ${line}")
        endif()
        list(APPEND imported "${dll} ${CMAKE_MATCH_2}")
    elseif(line STREQUAL "")
        set(dll "")
    endif()
endforeach()
list(LENGTH imported count)
if(count EQUAL 0)
    message(FATAL_ERROR "no imported function read from objdump's output for ${PROGRAM}")
endif()
message(STATUS "${count} imports (${TOOLCHAIN})")

set(unlisted ${imported})
list(REMOVE_ITEM unlisted ${listed})
set(stale ${expected})
list(REMOVE_ITEM stale ${imported})
set(failures "")
if(unlisted)
    # Lines to paste, in the list's own layout; only the version is left to look up.
    set(text "")
    foreach(pair IN LISTS unlisted)
        string(REPLACE " " ";" pair "${pair}")
        list(GET pair 0 pair_dll)
        list(GET pair 1 pair_function)
        string(LENGTH "${pair_dll}" width)
        math(EXPR pad "10 - ${width}")
        string(REPEAT " " ${pad} gap)
        string(LENGTH "${pair_function}" width)
        math(EXPR pad "33 - ${width}")
        if(pad LESS 1)
            set(pad 1)
        endif()
        string(REPEAT " " ${pad} gap2)
        string(APPEND text "\n  ${pair_dll}${gap}${pair_function}${gap2}?  ${TOOLCHAIN}")
    endforeach()
    string(APPEND failures
           "imported but not in ${LIST}; add these lines, with ? replaced by the first Windows "
           "that has the function (XP, Vista or 7; drop ${TOOLCHAIN} if every toolchain imports "
           "it). A function newer than Windows 7 SP1 must be looked up at run time instead:"
           "${text}\n")
endif()
if(stale)
    list(JOIN stale "\n  " text)
    string(APPEND failures "listed in ${LIST} for ${TOOLCHAIN} but not imported (remove them, or "
                           "mark them with the toolchain that still imports them):\n  ${text}\n")
endif()
if(too_new)
    list(JOIN too_new "\n  " text)
    string(APPEND failures "newer than Windows 7 SP1, or without a known version (look the "
                           "function up at run time instead):\n  ${text}\n")
endif()
if(failures)
    message(FATAL_ERROR "${failures}")
endif()
