# Fails when a Windows module imports a DLL that not every Windows since XP
# has: the deliverables must start on a bare system, so everything else is
# linked in statically.  With ZIP (the Windows release) and WORK (a folder to
# unpack it in), every program in the zip is checked too, and the zip must
# hold the player and its plug-in in bin/ as 32-bit and in bin64/ as 64-bit
# programs, the media and the README.
#
#   cmake -DOBJDUMP=PROGRAM -DMODULES="A.exe;B.dll" [-DZIP=FILE -DWORK=DIR] -P CheckImports.cmake

set(system_dlls
    kernel32.dll user32.dll gdi32.dll advapi32.dll shell32.dll ole32.dll
    winmm.dll msvcrt.dll dinput8.dll d3d8.dll)

cmake_minimum_required(VERSION 3.25)

if(NOT OBJDUMP OR NOT MODULES)
    message(FATAL_ERROR "usage: cmake -DOBJDUMP=PROGRAM -DMODULES=LIST -P CheckImports.cmake")
endif()

set(failures "")

# The programs in the release zip, unpacked afresh; its layout is checked
# here, the import tables with the others below.
if(ZIP AND NOT EXISTS "${ZIP}")
    message("no Windows release yet (scripts/release windows makes ${ZIP}): only the built programs are read")
elseif(ZIP)
    file(REMOVE_RECURSE "${WORK}")
    file(ARCHIVE_EXTRACT INPUT "${ZIP}" DESTINATION "${WORK}")
    file(GLOB_RECURSE zipped LIST_DIRECTORIES false "${WORK}/*.exe" "${WORK}/*.dll")
    list(APPEND MODULES ${zipped})
    foreach(entry IN ITEMS "bin/Vessamorix.exe|pei-i386" "bin/kaD3DRenderDevice.dll|pei-i386"
                          "bin64/Vessamorix.exe|pei-x86-64" "bin64/kaD3DRenderDevice.dll|pei-x86-64")
        string(REPLACE "|" ";" entry "${entry}")
        list(GET entry 0 file)
        list(GET entry 1 format)
        execute_process(COMMAND "${OBJDUMP}" -f "${WORK}/Vessamorix/${file}" OUTPUT_VARIABLE header
            ERROR_QUIET)
        if(NOT header MATCHES "file format ${format}")
            list(APPEND failures "zip: Vessamorix/${file} is missing or not ${format}")
        endif()
    endforeach()
    foreach(file IN ITEMS README.txt xMedia/xMusics/lost_in_space_remix.ogg)
        if(NOT EXISTS "${WORK}/Vessamorix/${file}")
            list(APPEND failures "zip: Vessamorix/${file} is missing")
        endif()
    endforeach()
    list(LENGTH zipped count)
    message(STATUS "${ZIP}: ${count} programs")
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
            list(APPEND failures "${module} imports ${name}, which Windows does not provide")
        endif()
    endforeach()
    message(STATUS "${module}: ${names}")
endforeach()

if(failures)
    list(JOIN failures "\n  " text)
    message(FATAL_ERROR "Not fit to ship (imports outside the system DLLs, or the zip's layout):\n  ${text}")
endif()
