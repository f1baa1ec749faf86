# Windows (mingw-w64) build: static runtime, the dist layout, Wine as the
# emulator for test programs.

add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0501)
add_link_options(-static-libgcc -static-libstdc++ -static)

# The 32-bit programs do their floating-point arithmetic in SSE2 registers,
# as the 64-bit ones do, not on the x87 stack: its 80-bit intermediates turned
# 17.6 s at 60 frames a second into frame 1057 instead of 1056 and let a timer
# reach its limit a frame late.  Windows calls back with a stack aligned only
# to 4 bytes; the functions that keep SSE values on it align it themselves.
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    add_compile_options(-msse2 -mfpmath=sse -mstackrealign)
endif()

# zlib (under libpng) is linked in too: Windows has no zlib1.dll.  A build
# tree that once found the import library forgets it.
set(ZLIB_USE_STATIC_LIBS ON)
if(ZLIB_LIBRARY_RELEASE MATCHES "\\.dll\\.a$")
    unset(ZLIB_LIBRARY_RELEASE CACHE)
endif()

set(VX_DIST_DIR "${CMAKE_BINARY_DIR}/dist/Vessamorix" CACHE PATH "Where the player is laid out")
# The programs' folder; the 64-bit test build keeps its own beside the
# deliverables' so that both find the one media tree at ../xMedia.
set(VX_DIST_BIN_NAME "bin" CACHE STRING "Name of the programs' folder under VX_DIST_DIR")
set(VX_DIST_BIN "${VX_DIST_DIR}/${VX_DIST_BIN_NAME}")
set(VX_DIST_MEDIA "${VX_DIST_DIR}/xMedia")

set(CMAKE_CROSSCOMPILING_EMULATOR "${CMAKE_SOURCE_DIR}/scripts/wine-run" CACHE FILEPATH "" FORCE)

# vx_wine_prefix(VAR NAME): the Wine prefix build/wine/NAME64 for the 64-bit
# build and build/wine/NAME for the 32-bit one (scripts/wine-run's own is
# "prefix").
function(vx_wine_prefix var name)
    if(CMAKE_SIZEOF_VOID_P EQUAL 8)
        set(${var} "${CMAKE_SOURCE_DIR}/build/wine/${name}64" PARENT_SCOPE)
    else()
        set(${var} "${CMAKE_SOURCE_DIR}/build/wine/${name}" PARENT_SCOPE)
    endif()
endfunction()

# The tests that run under Wine take turns on a prefix, each holding a CTest
# resource lock named after it: the project's prefix (build/wine/prefix*,
# VX_WINE_PREFIX) for the player's tests.  The 32-bit and the 64-bit prefixes
# are locked apart, so that both builds' chains run side by side in one run.
vx_wine_prefix(VX_WINE_PREFIX prefix)

# vx_wine_suite_test(SECONDS TEST...): tests that run a program of ours under
# Wine by itself, without the player's files.  They take turns on a Wine
# prefix of their own, so that their chain runs beside the player's tests;
# SECONDS, about what one takes, lets CTest start the chains ahead of the
# native cases.
vx_wine_prefix(VX_WINE_SUITES_PREFIX suites)
function(vx_wine_suite_test seconds)
    set_tests_properties(${ARGN} PROPERTIES RESOURCE_LOCK ${VX_WINE_SUITES_PREFIX} TIMEOUT 300
        COST ${seconds} ENVIRONMENT "VX_WINEPREFIX=${VX_WINE_SUITES_PREFIX}")
endfunction()

# Direct3D 8's library: mingw-w64 has an import library for 32-bit Windows
# only, so the 64-bit build makes one for the single entry point used.
find_library(VX_D3D8_LIBRARY d3d8)
if(NOT VX_D3D8_LIBRARY)
    set(VX_D3D8_DEF "${CMAKE_BINARY_DIR}/d3d8.def")
    file(WRITE "${VX_D3D8_DEF}" "LIBRARY d3d8.dll\nEXPORTS\nDirect3DCreate8\n")
    set(VX_D3D8_LIBRARY "${CMAKE_BINARY_DIR}/libd3d8.a" CACHE FILEPATH "" FORCE)
    execute_process(COMMAND ${VX_MINGW_HOST}-dlltool -d "${VX_D3D8_DEF}" -l "${VX_D3D8_LIBRARY}"
                    RESULT_VARIABLE VX_DLLTOOL_RESULT)
    if(NOT VX_DLLTOOL_RESULT EQUAL 0)
        message(FATAL_ERROR "cannot make an import library for d3d8.dll")
    endif()
endif()
