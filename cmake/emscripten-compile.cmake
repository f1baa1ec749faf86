# Objects compile with Emscripten's clang itself, given the flags the em++
# driver would give it (em++ --cflags): the driver is a Python program whose
# start-up took longer than most files' compiles (0.55 s against 0.13 for
# one of the renderer's files, and the object the same bytes).  em++ still
# links, and CMake's probes go through the same rules.  The project's
# browser build includes this file; scripts/bootstrap gives it to the
# libraries' builds as CMAKE_USER_MAKE_RULES_OVERRIDE.
execute_process(COMMAND em-config LLVM_ROOT OUTPUT_VARIABLE vx_llvm_root
    OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND em-config CLANG_ADD_VERSION OUTPUT_VARIABLE vx_clang_version
    OUTPUT_STRIP_TRAILING_WHITESPACE)
execute_process(COMMAND em++ --cflags OUTPUT_VARIABLE vx_wasm_cflags
    OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
# Debian's Emscripten names its clang with the version (clang++-14).
set(vx_clang_suffix)
if(vx_clang_version)
    set(vx_clang_suffix -${vx_clang_version})
endif()
set(vx_compile_rest "${vx_wasm_cflags} <DEFINES> <INCLUDES> <FLAGS> -o <OBJECT> -c <SOURCE>")
set(CMAKE_C_COMPILE_OBJECT "${vx_llvm_root}/clang${vx_clang_suffix} ${vx_compile_rest}")
set(CMAKE_CXX_COMPILE_OBJECT "${vx_llvm_root}/clang++${vx_clang_suffix} ${vx_compile_rest}")
