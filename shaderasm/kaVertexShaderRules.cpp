#include "kaVertexShaderRules.h"

#include "kaInstructionAccess.h"
#include "kaRegisterUsage.h"
#include "kaShaderErrorLog.h"
#include "kaShaderOpcodeTable.h"
#include "kaShaderRegisterSet.h"

namespace {

constexpr uint32_t kMaxSlots = 128;
using K = kaRegisterKind;
using RS = kaShaderRegisterSet;

std::string OpName(const kaInstruction& ins) { return ins.op->name; }

}  // namespace

kaVertexShaderRules::kaVertexShaderRules(kaValidationContext& context) : mContext(context) {}

bool kaVertexShaderRules::Check(const kaInstruction& ins) {
    if (ins.op->opClass == kaOpcodeClass::Define) return true;
    if (!CheckModifiers(ins)) return false;
    for (const kaSourceOperand& src : ins.sources) {
        if (!CheckSource(src, ins.line)) return false;
    }
    return CheckDestination(ins) && CheckMatrix(ins);
}

bool kaVertexShaderRules::CheckModifiers(const kaInstruction& ins) {
    if (ins.shift != 0 || ins.saturate) {
        return mContext.log.Add(ins.line, "instruction modifiers (_x2, _sat, ...) are only available in pixel shaders");
    }
    if (ins.coIssue) return mContext.log.Add(ins.line, "co-issue ('+') is only available in pixel shaders");
    return true;
}

bool kaVertexShaderRules::CheckSource(const kaSourceOperand& src, int line) {
    if (src.invert || src.suffix != kaSourceSuffix::None) {
        return mContext.log.Add(line, "only negation ('-') can modify a vertex shader source");
    }
    if (!src.reg.relative) return true;
    const kaRegisterRef a0{K::Address, 0, false};
    if (mContext.registers.Info(K::Address).count == 0) {
        return mContext.log.Add(line, "relative addressing needs the address register a0 of vs.1.1");
    }
    if (mContext.usage.Unwritten(a0, 0x1) != 0) {
        return mContext.log.Add(line, "a0.x is read before it is written");
    }
    return true;
}

bool kaVertexShaderRules::CheckDestination(const kaInstruction& ins) {
    if (!ins.hasDest) return true;
    const kaDestOperand& dest = ins.dest;
    const K kind = dest.reg.kind;
    if (kind == K::Address && ins.op->opcode != kOpMov) {
        return mContext.log.Add(ins.line, "only mov can write a0");
    }
    if (kind == K::Address && dest.mask != 0x1) return mContext.log.Add(ins.line, "a0 takes only the .x write mask");
    if ((kind == K::Fog || kind == K::PointSize) && dest.maskGiven && dest.mask != 0x1) {
        return mContext.log.Add(ins.line, RS::Name(dest.reg) + " is a scalar register: write it with .x or no mask");
    }
    if (ins.op->opcode == kOpFrc && dest.mask != 0x2 && dest.mask != 0x3) {
        return mContext.log.Add(ins.line, "frc takes only the .y or .xy write mask");
    }
    return true;
}

bool kaVertexShaderRules::CheckMatrix(const kaInstruction& ins) {
    if (ins.op->reads != kaReadPattern::Matrix) return true;
    const kaSourceOperand& vector = ins.sources[0];
    const kaSourceOperand& matrix = ins.sources[1];
    if (matrix.negate || matrix.HasSwizzle()) {
        return mContext.log.Add(ins.line, "the matrix operand of " + OpName(ins) + " takes no swizzle or negation");
    }
    const uint32_t count = mContext.registers.Info(matrix.reg.kind).count;
    const uint32_t last = matrix.reg.index + ins.op->matrixRows - 1;
    if (last >= count) {
        kaRegisterRef lastRow = matrix.reg;
        lastRow.index = last;
        return mContext.log.Add(ins.line, "the matrix of " + OpName(ins) + " runs from " + RS::Name(matrix.reg) +
                                              " to " + RS::Name(lastRow) + ", past the last register " +
                                              RS::FileName(matrix.reg.kind) + std::to_string(count - 1));
    }
    if (vector.reg == ins.dest.reg) {
        return mContext.log.Add(ins.line, OpName(ins) + " cannot write its own source register " + RS::Name(vector.reg));
    }
    return true;
}

void kaVertexShaderRules::Count(const kaInstruction& ins) {
    if (ins.hasDest && ins.dest.reg.kind == K::Position) mPositionMask |= kaInstructionAccess::WriteMask(ins);
    const uint32_t before = mSlots;
    mSlots += ins.op->slots;
    if (before <= kMaxSlots && mSlots > kMaxSlots) {
        mContext.log.Add(ins.line, "too many instructions: this one ends at slot " + std::to_string(mSlots) +
                                       ", " + mContext.version.Name() + " allows " + std::to_string(kMaxSlots));
    }
}

void kaVertexShaderRules::Finish(int lastLine) {
    if (mPositionMask == 0xF) return;
    mContext.log.Add(lastLine, "a vertex shader must write all four components of oPos (missing " +
                                   RS::ComponentText(0xF & ~mPositionMask, false) + ")");
}
