#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The Direct3D 8 shader assembler: turns shader source text (vs.1.0,
// vs.1.1, ps.1.0 to ps.1.4) into the token stream that CreateVertexShader
// and CreatePixelShader take.
//
// Typical use in the device:
//
//     const kaShaderAssembly code = kaShaderAssembler::Assemble(source, sourceLength);
//     if (!code.ok) { log code.errors; return failure; }
//     // pixel shader:  CreatePixelShader(code.tokens.data(), &handle)
//     // vertex shader: declaration = stream and register tokens,
//     //                then code.defConstants, then D3DVSD_END();
//     //                CreateVertexShader(declaration, code.tokens.data(), &handle, 0)
struct kaShaderAssembly {
    // Version token, instruction and parameter tokens, end token 0x0000FFFF.
    // Empty when assembly failed.
    std::vector<uint32_t> tokens;
    // Vertex shaders only: for each def, D3DVSD_CONST(register, 1) followed
    // by its four float values, in source order.  The device inserts these
    // into the vertex declaration before its end token.  Pixel shader defs
    // stay in `tokens`, as Direct3D 8 wants them.
    std::vector<uint32_t> defConstants;
    // One line per error, "NAME(LINE): error: MESSAGE\n"; empty on success.
    std::string errors;
    // True exactly when `errors` is empty and `tokens` holds the shader.
    bool ok = false;
};

class kaShaderAssembler {
public:
    // Assembles `length` bytes of `source`.  The text may end early in a
    // zero byte (a loader that reads in text mode passes the file size).
    // `sourceName` starts every error line; a null source, or text without
    // a version line, fails with an error.
    static kaShaderAssembly Assemble(const char* source, size_t length, const char* sourceName = "shader");
};
