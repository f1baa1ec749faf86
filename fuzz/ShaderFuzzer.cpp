// Shader source text of every version, vertex and pixel: the whole
// assembler, from the lexer through validation to the encoded tokens.
#include <cstddef>
#include <cstdint>

#include "kaFuzzExpect.h"
#include "kaShaderAssembler.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const kaShaderAssembly code =
        kaShaderAssembler::Assemble(reinterpret_cast<const char*>(data), size, "fuzz");
    if (!code.ok) {
        FuzzExpect(!code.errors.empty() && code.tokens.empty() && code.defConstants.empty(),
                   "a failed shader has errors and no tokens");
        return 0;
    }
    FuzzExpect(code.errors.empty() && code.tokens.size() >= 2, "a shader has its tokens");
    const uint32_t kind = code.tokens.front() >> 16;
    FuzzExpect(kind == 0xFFFE || kind == 0xFFFF, "a shader starts with its version token");
    FuzzExpect(code.tokens.back() == 0x0000FFFF, "a shader ends with the end token");
    FuzzExpect(kind == 0xFFFE || code.defConstants.empty(),
               "only vertex shaders move their constants to the declaration");
    return 0;
}
