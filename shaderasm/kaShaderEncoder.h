#pragma once

#include <cstdint>
#include <vector>

#include "kaShaderTypes.h"

// Writes a validated program as a Direct3D 8 token stream: the version
// token, each instruction token followed by its destination and source
// parameter tokens, and the end token.  A vertex shader's def instructions
// do not enter the stream; they become constant-declaration tokens
// (D3DVSD_CONST) that the device appends to the vertex declaration.
class kaShaderEncoder {
public:
    static void Encode(const kaShaderProgram& program, std::vector<uint32_t>& tokens,
                       std::vector<uint32_t>& defConstants);

private:
    static uint32_t DestinationToken(const kaInstruction& ins);
    static uint32_t SourceToken(const kaSourceOperand& src);
    static uint32_t RegisterBits(const kaRegisterRef& reg);
    static uint32_t ModifierBits(const kaSourceOperand& src);
    static void AppendValues(const kaInstruction& ins, std::vector<uint32_t>& out);
};
