# Builds the player for web browsers with Debian's Emscripten: WebAssembly,
# WebGL 2 and Web Audio.
include(/usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake)

# CMake's probes and the tests run Emscripten's output with Node, which runs
# it only without its own fetch.
set(CMAKE_CROSSCOMPILING_EMULATOR /usr/bin/node --no-experimental-fetch)
# Emscripten's optimiser, run at link time, needs Debian's acorn.
set(CMAKE_C_LINKER_LAUNCHER env NODE_PATH=/usr/share/nodejs)
set(CMAKE_CXX_LINKER_LAUNCHER env NODE_PATH=/usr/share/nodejs)

# Objects compile with Emscripten's clang itself (the file says why).
include(${CMAKE_CURRENT_LIST_DIR}/emscripten-compile.cmake)

# Dependencies built for WebAssembly by scripts/bootstrap.
set(VX_DEPS_TARGET wasm32-emscripten)
include(${CMAKE_CURRENT_LIST_DIR}/VxDepsPrefix.cmake)
