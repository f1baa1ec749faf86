# Fails when a Windows module imports a DLL that not every Windows since XP
# has: the deliverables must start on a bare system, so everything else is
# linked in statically.
#
#   cmake -DOBJDUMP=PROGRAM -DMODULES="A.exe;B.dll" -P CheckImports.cmake

set(system_dlls
    kernel32.dll user32.dll gdi32.dll advapi32.dll shell32.dll ole32.dll
    winmm.dll msvcrt.dll dinput8.dll d3d8.dll)

cmake_minimum_required(VERSION 3.25)

if(NOT OBJDUMP OR NOT MODULES)
    message(FATAL_ERROR "usage: cmake -DOBJDUMP=PROGRAM -DMODULES=LIST -P CheckImports.cmake")
endif()

# Before the Windows build has laid out any of them there is nothing to read.
set(built "")
foreach(module IN LISTS MODULES)
    if(EXISTS "${module}")
        list(APPEND built "${module}")
    endif()
endforeach()
if(NOT built)
    message("no deliverables built yet: ${MODULES}")
    return()
endif()

set(failures "")
foreach(module IN LISTS MODULES)
    if(NOT EXISTS "${module}")
        list(APPEND failures "${module}: missing")
        continue()
    endif()
    execute_process(COMMAND "${OBJDUMP}" -p "${module}"
        OUTPUT_VARIABLE headers RESULT_VARIABLE status ERROR_VARIABLE errors)
    if(NOT status EQUAL 0)
        list(APPEND failures "${module}: ${OBJDUMP} failed: ${errors}")
        continue()
    endif()
    string(REGEX MATCHALL "DLL Name: [^\r\n]+" entries "${headers}")
    if(NOT entries)
        list(APPEND failures "${module}: no import table found")
    endif()
    set(names "")
    foreach(entry IN LISTS entries)
        string(REGEX REPLACE "^DLL Name: *" "" name "${entry}")
        string(STRIP "${name}" name)
        string(TOLOWER "${name}" name)
        list(APPEND names "${name}")
        if(NOT name IN_LIST system_dlls)
            get_filename_component(file "${module}" NAME)
            list(APPEND failures "${file} imports ${name}, which Windows does not provide")
        endif()
    endforeach()
    message(STATUS "${module}: ${names}")
endforeach()

if(failures)
    list(JOIN failures "\n  " text)
    message(FATAL_ERROR "Imports outside the system DLLs:\n  ${text}")
endif()
