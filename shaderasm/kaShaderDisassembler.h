#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "kaShaderDecoder.h"
#include "kaShaderTypes.h"

// Turns token streams back into shader text that the assembler turns into
// the same tokens: the version line, a vertex shader's defs, then one
// instruction a line ("+" for co-issue, "_x2_sat" after the name, masks,
// swizzles, "1-", "-", "_bias", "_bx2", "_x2", "_dz", "_dw").  Pixel
// shaders name components r g b a, vertex shaders and texture
// coordinates x y z w.  Comment tokens become "; comment: N words" lines.
class kaShaderDisassembler {
public:
    struct Result {
        bool ok = false;
        std::string text;   // the whole shader, one line per instruction
        std::string error;  // the decoder's error when !ok
    };

    static Result Disassemble(const uint32_t* tokens, size_t count, const uint32_t* constants = nullptr,
                              size_t constantCount = 0);

    // The same text with each line's tokens beside it as hexadecimal words
    // after a ';' (so the listing still assembles), and the end token.
    static Result Listing(const uint32_t* tokens, size_t count, const uint32_t* constants = nullptr,
                          size_t constantCount = 0);

    static std::string ProgramText(const kaShaderProgram& program);
    static std::string InstructionText(const kaInstruction& ins, const kaShaderVersion& version);
    // The shortest decimal text that reads back as the same float.
    static std::string NumberText(float value);

private:
    static std::string DestinationText(const kaInstruction& ins, const kaShaderVersion& version);
    static std::string SourceText(const kaInstruction& ins, const kaSourceOperand& src,
                                  const kaShaderVersion& version);
    static std::string DefText(const kaInstruction& ins);
    static std::string CommentText(const kaShaderComment& comment);
};
