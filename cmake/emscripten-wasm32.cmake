# Builds the player for web browsers with Debian's Emscripten: WebAssembly,
# WebGL 2 and Web Audio.
include(/usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake)

# CMake's probes and the tests run Emscripten's output with Node, which runs
# it only without its own fetch.
set(CMAKE_CROSSCOMPILING_EMULATOR /usr/bin/node --no-experimental-fetch)
# Emscripten's optimiser, run at link time, needs Debian's acorn.
set(CMAKE_C_LINKER_LAUNCHER env NODE_PATH=/usr/share/nodejs)
set(CMAKE_CXX_LINKER_LAUNCHER env NODE_PATH=/usr/share/nodejs)

# Dependencies built for WebAssembly by scripts/bootstrap.
if(DEFINED ENV{VX_BUILD_ROOT})
    set(VX_DEPS_PREFIX "$ENV{VX_BUILD_ROOT}/deps/wasm32-emscripten")
else()
    get_filename_component(VX_DEPS_PREFIX "${CMAKE_CURRENT_LIST_DIR}/../build/deps/wasm32-emscripten" ABSOLUTE)
endif()
list(APPEND CMAKE_FIND_ROOT_PATH "${VX_DEPS_PREFIX}")
