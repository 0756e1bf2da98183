# Fails unless the executable imports exactly the (DLL, function) pairs of the committed list,
# and unless every entry of the list notes a Windows version no newer than Windows 7.
#   cmake -DOBJDUMP=<objdump> -DPROGRAM=<exe> -DLIST=<imports.txt> -P check_imports.cmake
cmake_policy(VERSION 3.25)

# The notes an entry may carry: the first Windows that has the function.
set(supported XP Vista 7)

file(STRINGS "${LIST}" entries REGEX "^[^#]")
set(listed "")
set(too_new "")
foreach(entry IN LISTS entries)
    if(NOT entry MATCHES "^([^ ]+) +([^ ]+) +([^ ]+)$")
        message(FATAL_ERROR "not \"dll function version\" in ${LIST}: ${entry}")
    endif()
    list(APPEND listed "${CMAKE_MATCH_1} ${CMAKE_MATCH_2}")
    if(NOT CMAKE_MATCH_3 IN_LIST supported)
        list(APPEND too_new "${CMAKE_MATCH_1} ${CMAKE_MATCH_2} (${CMAKE_MATCH_3})")
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

# Each DLL's table: "DLL Name: X", a heading, then one "<vma> <hint> <name>" line per function.
set(imported "")
set(dll "")
foreach(line IN LISTS lines)
    if(line MATCHES "DLL Name: ([^ \t]+)")
        string(TOLOWER "${CMAKE_MATCH_1}" dll)
        string(REGEX REPLACE "\\.dll$" "" dll "${dll}")
    elseif(dll AND line MATCHES "^\t[0-9a-fA-F]+\t +[0-9]+ +([^ \t]+)$")
        list(APPEND imported "${dll} ${CMAKE_MATCH_1}")
    elseif(line STREQUAL "")
        set(dll "")
    endif()
endforeach()
list(LENGTH imported count)
message(STATUS "${count} imports")

set(unlisted ${imported})
list(REMOVE_ITEM unlisted ${listed})
set(stale ${listed})
list(REMOVE_ITEM stale ${imported})
set(failures "")
if(unlisted)
    list(JOIN unlisted "\n  " text)
    string(APPEND failures "imported but not in ${LIST} (add each with the first Windows that "
                           "has it):\n  ${text}\n")
endif()
if(stale)
    list(JOIN stale "\n  " text)
    string(APPEND failures "listed in ${LIST} but no longer imported (remove them):\n  ${text}\n")
endif()
if(too_new)
    list(JOIN too_new "\n  " text)
    string(APPEND failures "newer than Windows 7 SP1, or without a known version (look the "
                           "function up at run time instead):\n  ${text}\n")
endif()
if(failures)
    message(FATAL_ERROR "${failures}")
endif()
