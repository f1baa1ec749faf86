# Windows (mingw-w64) build: static runtime, the dist layout, Wine as the
# emulator for test programs.

add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0501)
add_link_options(-static-libgcc -static-libstdc++ -static)

# zlib (under libpng) is linked in too: Windows has no zlib1.dll.  A build
# tree that once found the import library forgets it.
set(ZLIB_USE_STATIC_LIBS ON)
if(ZLIB_LIBRARY_RELEASE MATCHES "\\.dll\\.a$")
    unset(ZLIB_LIBRARY_RELEASE CACHE)
endif()

set(VX_DIST_DIR "${CMAKE_BINARY_DIR}/dist/Vessamorix" CACHE PATH "Where the player is laid out")
set(VX_DIST_BIN "${VX_DIST_DIR}/bin")
set(VX_DIST_MEDIA "${VX_DIST_DIR}/xMedia")

set(CMAKE_CROSSCOMPILING_EMULATOR "${CMAKE_SOURCE_DIR}/scripts/wine-run" CACHE FILEPATH "" FORCE)
