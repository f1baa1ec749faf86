# Cross-compiles for 32-bit Windows with mingw-w64 (posix thread model).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(VX_MINGW_HOST i686-w64-mingw32)

set(CMAKE_C_COMPILER ${VX_MINGW_HOST}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VX_MINGW_HOST}-g++-posix)
set(CMAKE_RC_COMPILER ${VX_MINGW_HOST}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${VX_MINGW_HOST})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Dependencies cross-built by scripts/bootstrap.
set(VX_DEPS_TARGET ${VX_MINGW_HOST})
include(${CMAKE_CURRENT_LIST_DIR}/VxDepsPrefix.cmake)
