#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "kaShaderTypes.h"

// Where one decoded instruction's tokens are: `count` words from `offset`
// in the token stream, or in the constant declaration for a vertex
// shader's def.
struct kaTokenSpan {
    size_t offset = 0;
    size_t count = 0;
    bool inConstants = false;
};

struct kaShaderDecoding {
    // True when the whole stream decoded; `error` says otherwise what and
    // where ("token 5 (0x80000000): ...").
    bool ok = false;
    std::string error;
    // The program as the parser would have built it from text: opcode
    // entries, operands, modifiers, def values.  A vertex shader's defs
    // come first.  Each instruction's `line` is its line in the
    // disassembly (the version is line 1).  Swizzles are given in their
    // shortest form (.xyzz is .xyz, .wwww is .w) and a write mask counts
    // as given when it is not .xyzw, which is how the text would have
    // written them.
    kaShaderProgram program;
    std::vector<kaTokenSpan> spans;  // one per instruction
};

// Reads a Direct3D 8 shader token stream (vs.1.0, vs.1.1, ps.1.0 to
// ps.1.4) back into a kaShaderProgram: the one reader of token streams,
// shared by the disassembler and the GLSL translator.  It checks the
// stream's form, not the version's rules: every token is accounted for
// (opcodes known to the version, parameter tokens where the opcode has
// operands, register types and modifiers that exist, comment lengths
// inside the stream, the end token present); the validator checks the
// rest.  It never reads outside `tokens[0 .. count)`.
class kaShaderDecoder {
public:
    // `constants` are a vertex shader's def constants as the assembler
    // returns them (D3DVSD_CONST tokens with their values); null or empty
    // for none.  Tokens after the end token are ignored.
    static kaShaderDecoding Decode(const uint32_t* tokens, size_t count, const uint32_t* constants = nullptr,
                                   size_t constantCount = 0);

private:
    kaShaderDecoder(const uint32_t* tokens, size_t count, kaShaderDecoding& out);

    bool Fail(size_t at, const std::string& message);
    bool DecodeVersion();
    bool DecodeConstants(const uint32_t* constants, size_t count);
    bool DecodeBody();
    bool DecodeComment();
    bool DecodeInstruction();
    bool DecodeDestination(size_t at, kaInstruction& ins);
    bool DecodeSource(size_t at, kaSourceOperand& src);
    bool DecodeRegister(size_t at, uint32_t token, kaRegisterRef& reg);
    bool Need(size_t words, const char* what);
    void Add(kaInstruction ins, kaTokenSpan span);

    const uint32_t* mTokens;
    size_t mCount;
    size_t mPos = 0;
    kaShaderDecoding& mOut;
};
