#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <vector>

#include "kaShaderTypes.h"

struct kaRegisterRead {
    kaRegisterRef reg;
    uint32_t mask;  // components read
};

// Which register components an instruction reads and writes.
class kaInstructionAccess {
public:
    static std::vector<kaRegisterRead> Reads(const kaInstruction& ins);
    // Components of the destination the instruction writes (0 for def,
    // texkill and instructions without a destination).
    static uint32_t WriteMask(const kaInstruction& ins);
    // Number of different registers of one file that the instructions
    // (one, or a co-issued pair) read.
    static size_t DistinctRegisters(std::initializer_list<const kaInstruction*> instructions,
                                    kaRegisterKind kind);

private:
    static uint32_t SourceLanes(const kaInstruction& ins, size_t source);
    static uint32_t Swizzled(const kaSourceOperand& src, uint32_t lanes);
};
