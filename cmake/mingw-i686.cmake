# Cross-compiles for 32-bit Windows with mingw-w64 (posix thread model): the
# deliverables.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(VX_MINGW_HOST i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
