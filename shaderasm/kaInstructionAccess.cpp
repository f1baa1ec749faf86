#include "kaInstructionAccess.h"

#include "kaShaderOpcodeTable.h"

namespace {

uint32_t LowComponents(uint32_t count) { return (1u << count) - 1; }

}  // namespace

// The lanes of the swizzled source that the instruction uses.
uint32_t kaInstructionAccess::SourceLanes(const kaInstruction& ins, size_t source) {
    const kaOpcodeInfo& op = *ins.op;
    switch (op.reads) {
        case kaReadPattern::PerComponent: return ins.dest.mask;
        case kaReadPattern::Dot3: return 0x7;
        case kaReadPattern::Dot4: return 0xF;
        case kaReadPattern::Scalar: return 0x8;
        case kaReadPattern::Lit: return 0xB;
        case kaReadPattern::Dst: return source == 0 ? 0x6 : 0xA;
        case kaReadPattern::Matrix: return LowComponents(op.matrixWidth);
        case kaReadPattern::None: break;
    }
    return 0;
}

uint32_t kaInstructionAccess::Swizzled(const kaSourceOperand& src, uint32_t lanes) {
    uint32_t mask = 0;
    for (int lane = 0; lane < 4; ++lane) {
        if (lanes & (1u << lane)) mask |= 1u << src.swizzle[lane];
    }
    return mask;
}

std::vector<kaRegisterRead> kaInstructionAccess::Reads(const kaInstruction& ins) {
    std::vector<kaRegisterRead> reads;
    for (size_t i = 0; i < ins.sources.size(); ++i) {
        const kaSourceOperand& src = ins.sources[i];
        const uint32_t mask = Swizzled(src, SourceLanes(ins, i));
        // The matrix operand of m#x# stands for consecutive registers.
        const bool matrix = ins.op->reads == kaReadPattern::Matrix && i == 1;
        const uint32_t rows = matrix ? ins.op->matrixRows : 1;
        for (uint32_t row = 0; row < rows; ++row) {
            kaRegisterRef reg = src.reg;
            reg.index += row;
            if (mask != 0) reads.push_back(kaRegisterRead{reg, mask});
        }
    }
    return reads;
}

uint32_t kaInstructionAccess::WriteMask(const kaInstruction& ins) {
    const kaOpcodeInfo& op = *ins.op;
    if (!ins.hasDest || op.opClass == kaOpcodeClass::Define || op.opcode == kOpTexKill) return 0;
    if (op.reads == kaReadPattern::Matrix) return ins.dest.mask & LowComponents(op.matrixRows);
    return ins.dest.mask;
}

size_t kaInstructionAccess::DistinctRegisters(std::initializer_list<const kaInstruction*> instructions,
                                              kaRegisterKind kind) {
    std::vector<kaRegisterRef> distinct;
    for (const kaInstruction* ins : instructions) {
        for (const kaSourceOperand& src : ins->sources) {
            bool seen = src.reg.kind != kind;
            for (const kaRegisterRef& reg : distinct) seen = seen || reg == src.reg;
            if (!seen) distinct.push_back(src.reg);
        }
    }
    return distinct.size();
}
