# Builds the player for web browsers with Debian's Emscripten: WebAssembly,
# WebGL 2 and Web Audio.
include(/usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake)

# CMake's probes and the tests run Emscripten's output with Node, which runs
# it only without its own fetch.
set(CMAKE_CROSSCOMPILING_EMULATOR /usr/bin/node --no-experimental-fetch)
# Emscripten's optimiser, run at link time, needs Debian's acorn.
set(CMAKE_C_LINKER_LAUNCHER env NODE_PATH=/usr/share/nodejs)
set(CMAKE_CXX_LINKER_LAUNCHER env NODE_PATH=/usr/share/nodejs)

# Objects compile with Emscripten's clang itself, given the flags the em++
# driver would give it (em++ --cflags): the driver is a Python program whose
# start-up took longer than most files' compiles (0.55 s against 0.13 for
# one of the renderer's files, and the object the same bytes).  em++ still
# links, and CMake's probes go through the same rules.
execute_process(COMMAND em-config LLVM_ROOT OUTPUT_VARIABLE vx_llvm_root
    OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND em-config CLANG_ADD_VERSION OUTPUT_VARIABLE vx_clang_version
    OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE vx_no_version)
execute_process(COMMAND em++ --cflags OUTPUT_VARIABLE vx_wasm_cflags
    OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
set(vx_clang_suffix)
if(vx_no_version EQUAL 0 AND vx_clang_version)
    set(vx_clang_suffix -${vx_clang_version})
endif()
foreach(lang C CXX)
    set(vx_driver ${vx_llvm_root}/clang${vx_clang_suffix})
    if(lang STREQUAL CXX)
        set(vx_driver ${vx_llvm_root}/clang++${vx_clang_suffix})
    endif()
    set(CMAKE_${lang}_COMPILE_OBJECT
        "${vx_driver} ${vx_wasm_cflags} <DEFINES> <INCLUDES> <FLAGS> -o <OBJECT> -c <SOURCE>")
endforeach()

# Dependencies built for WebAssembly by scripts/bootstrap.
set(VX_DEPS_TARGET wasm32-emscripten)
include(${CMAKE_CURRENT_LIST_DIR}/VxDepsPrefix.cmake)
