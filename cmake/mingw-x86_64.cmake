# Cross-compiles for 64-bit Windows with mingw-w64 (posix thread model): the
# same programs, for running the Windows tests under 64-bit Wine on hosts
# that cannot run 32-bit code.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(VX_MINGW_HOST x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
