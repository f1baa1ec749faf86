#include "kaPixelShaderRules.h"

#include "kaInstructionAccess.h"
#include "kaRegisterUsage.h"
#include "kaShaderErrorLog.h"
#include "kaShaderOpcodeTable.h"
#include "kaShaderRegisterSet.h"

namespace {

using K = kaRegisterKind;
using RS = kaShaderRegisterSet;

constexpr uint32_t kColor = 0x7;
constexpr uint32_t kAlpha = 0x8;

std::string OpName(const kaInstruction& ins) { return ins.op->name; }

bool IsDot(uint16_t opcode) { return opcode == kOpDp3 || opcode == kOpDp4; }

const char* ShiftName(int shift) {
    static const char* const kNames[] = {"_d8", "_d4", "_d2", "", "_x2", "_x4", "_x8"};
    return kNames[shift + 3];
}

}  // namespace

kaPixelShaderRules::kaPixelShaderRules(kaValidationContext& context, bool hasPhase)
    : mContext(context), mTexture(context), mHasPhase(hasPhase), mPhase(hasPhase ? 1 : 2) {}

bool kaPixelShaderRules::Check(const kaInstruction& ins, const kaInstruction* previous) {
    if (!mContext.version.IsPs14() && !mTexture.CheckSequence(ins)) return false;
    if (ins.coIssue && !CheckCoIssue(ins, previous)) return false;
    switch (ins.op->opClass) {
        case kaOpcodeClass::Phase: return CheckPhase(ins);
        case kaOpcodeClass::Define: return true;
        case kaOpcodeClass::Texture: return CheckOrder(ins) && mTexture.Check(ins, mPhase);
        case kaOpcodeClass::Arithmetic: return CheckOrder(ins) && CheckArithmetic(ins);
    }
    return true;
}

bool kaPixelShaderRules::CheckPhase(const kaInstruction& ins) {
    if (mPhase == 2) return mContext.log.Add(ins.line, "phase may appear only once");
    mPhase = 2;
    mSawArithmetic = false;
    mTextureSlots = 0;
    mArithmeticSlots = 0;
    mContext.usage.ForgetTempAlpha();
    mTexture.StartPhase();
    return true;
}

bool kaPixelShaderRules::CheckOrder(const kaInstruction& ins) {
    if (ins.op->opClass == kaOpcodeClass::Arithmetic) {
        mSawArithmetic = true;
        return true;
    }
    if (!mSawArithmetic) return true;
    const std::string scope = mContext.version.IsPs14() ? " of each phase" : "";
    return mContext.log.Add(ins.line, "texture instruction '" + OpName(ins) + "' after arithmetic instructions: in " +
                                          mContext.version.Name() + " texture instructions come first" + scope);
}

bool kaPixelShaderRules::CheckArithmetic(const kaInstruction& ins) {
    if (!ins.hasDest) return true;  // nop
    if (!CheckInstructionModifiers(ins) || !CheckArithmeticDest(ins)) return false;
    for (const kaSourceOperand& src : ins.sources) {
        if (!CheckArithmeticSource(ins, src)) return false;
    }
    return CheckSpecialArithmetic(ins);
}

bool kaPixelShaderRules::CheckInstructionModifiers(const kaInstruction& ins) {
    const bool ps14Only = ins.shift == 3 || ins.shift <= -2;
    if (ps14Only && !mContext.version.IsPs14()) {
        return mContext.log.Add(ins.line, std::string(ShiftName(ins.shift)) + " is only available in ps.1.4");
    }
    return true;
}

bool kaPixelShaderRules::CheckArithmeticDest(const kaInstruction& ins) {
    const kaDestOperand& dest = ins.dest;
    if (dest.reg.kind == K::Texture && mContext.version.minor == 0) {
        return mContext.log.Add(ins.line, "arithmetic instructions cannot write texture registers in ps.1.0");
    }
    if (mContext.version.IsPs14()) return true;
    const bool dp3 = ins.op->opcode == kOpDp3;
    if (dest.mask == 0xF || dest.mask == kColor || (dest.mask == kAlpha && !dp3)) return true;
    return mContext.log.Add(ins.line, dp3 ? "dp3 takes only the .rgb or .rgba write mask before ps.1.4"
                                          : "before ps.1.4 the write mask is .rgba, .rgb or .a");
}

bool kaPixelShaderRules::CheckArithmeticSource(const kaInstruction& ins, const kaSourceOperand& src) {
    if (mContext.version.IsPs14() && src.reg.kind == K::Texture) {
        return mContext.log.Add(ins.line, "in ps.1.4 only texld, texcrd and texkill read texture registers");
    }
    if (mContext.version.IsPs14() && src.reg.kind == K::Input && mPhase != 2) {
        return mContext.log.Add(ins.line, RS::Name(src.reg) + " is only available in phase 2 of ps.1.4");
    }
    return CheckSelector(ins, src) && CheckSourceModifier(ins, src);
}

bool kaPixelShaderRules::CheckSelector(const kaInstruction& ins, const kaSourceOperand& src) {
    if (!src.HasSwizzle() || (src.swizzleLength == 4 && src.IsIdentitySwizzle())) return true;
    const bool single = src.swizzleLength == 1;
    if (mContext.version.IsPs14()) {
        if (single) return true;
        return mContext.log.Add(ins.line, "only the .r, .g, .b and .a selectors are allowed here");
    }
    const uint8_t component = src.swizzle[0];
    const bool blueAllowed = mContext.version.minor >= 1 && ins.dest.mask == kAlpha;
    if (single && (component == 3 || (component == 2 && blueAllowed))) return true;
    return mContext.log.Add(ins.line, "before ps.1.4 the only selectors are .a, and .b with an .a write mask"
                                      " (from ps.1.1)");
}

bool kaPixelShaderRules::CheckSourceModifier(const kaInstruction& ins, const kaSourceOperand& src) {
    using S = kaSourceSuffix;
    if (src.invert && (src.negate || src.suffix != S::None)) {
        return mContext.log.Add(ins.line, "1- cannot be combined with other source modifiers");
    }
    if (src.suffix == S::DivideZ || src.suffix == S::DivideW) {
        return mContext.log.Add(ins.line, "_dz and _dw are only allowed on texld and texcrd sources");
    }
    if (src.suffix == S::Double && !mContext.version.IsPs14()) {
        return mContext.log.Add(ins.line, "the _x2 source modifier is only available in ps.1.4");
    }
    if (mContext.version.IsPs14() && src.reg.kind == K::Constant && src.HasModifier()) {
        return mContext.log.Add(ins.line, "source modifiers cannot be used on constant registers in ps.1.4");
    }
    return true;
}

bool kaPixelShaderRules::CheckSpecialArithmetic(const kaInstruction& ins) {
    const uint16_t opcode = ins.op->opcode;
    if (opcode == kOpCnd && !mContext.version.IsPs14()) {
        const kaSourceOperand& condition = ins.sources[0];
        const bool r0a = condition.reg == kaRegisterRef{K::Temp, 0, false} && condition.swizzleLength == 1 &&
                         condition.swizzle[0] == 3;
        if (!r0a) return mContext.log.Add(ins.line, "cnd takes r0.a as its first source before ps.1.4");
    }
    if (opcode != kOpBem) return true;
    if (!mHasPhase || mPhase != 1) return mContext.log.Add(ins.line, "bem is only allowed in phase 1 of ps.1.4");
    if (ins.dest.mask != 0x3) return mContext.log.Add(ins.line, "bem takes only the .rg write mask");
    if (mUsedBem) return mContext.log.Add(ins.line, "bem may be used only once in a shader");
    mUsedBem = true;
    return true;
}

bool kaPixelShaderRules::CheckCoIssue(const kaInstruction& ins, const kaInstruction* previous) {
    const auto pairable = [](const kaInstruction* i) {
        return i != nullptr && i->op->opClass == kaOpcodeClass::Arithmetic && i->hasDest &&
               i->op->opcode != kOpBem;
    };
    if (!pairable(&ins) || !pairable(previous) || previous->coIssue) {
        return mContext.log.Add(ins.line, "'+' (co-issue) pairs an arithmetic instruction with the single arithmetic "
                                          "instruction before it (not bem, nop or texture instructions)");
    }
    return CheckPairMasks(ins, *previous) && CheckPairReadPorts(ins, *previous);
}

bool kaPixelShaderRules::CheckPairMasks(const kaInstruction& ins, const kaInstruction& previous) {
    const bool alphaFirst = previous.dest.mask == kAlpha;
    const kaInstruction& alpha = alphaFirst ? previous : ins;
    const kaInstruction& color = alphaFirst ? ins : previous;
    const uint32_t colorMask = color.dest.mask;
    const bool colorOk = mContext.version.IsPs14() ? (colorMask != 0 && (colorMask & ~kColor) == 0)
                                                   : colorMask == kColor;
    if (alpha.dest.mask != kAlpha || !colorOk) {
        return mContext.log.Add(ins.line, "co-issued instructions must write color (.rgb) and alpha (.a) separately");
    }
    if (IsDot(alpha.op->opcode) && alpha.op->opcode != color.op->opcode) {
        return mContext.log.Add(ins.line, OpName(alpha) + " can write the alpha of a pair only beside " +
                                              OpName(alpha) + " writing the color");
    }
    if (mContext.version.minor == 0 && !(ins.dest.reg == previous.dest.reg)) {
        return mContext.log.Add(ins.line, "co-issued instructions must write the same register in ps.1.0");
    }
    return true;
}

// Two co-issued instructions together read at most three different
// registers of each file.
bool kaPixelShaderRules::CheckPairReadPorts(const kaInstruction& ins, const kaInstruction& previous) {
    for (size_t k = 0; k < static_cast<size_t>(K::Count); ++k) {
        if (kaInstructionAccess::DistinctRegisters({&previous, &ins}, static_cast<K>(k)) > 3) {
            return mContext.log.Add(ins.line, "co-issued instructions read more than three different " +
                                                  RS::FileName(static_cast<K>(k)) + " registers");
        }
    }
    return true;
}

void kaPixelShaderRules::AddSlots(uint32_t& used, uint32_t slots, uint32_t limit, const char* what, int line) {
    const uint32_t before = used;
    used += slots;
    if (before > limit || used <= limit) return;
    const std::string scope = mHasPhase ? " per phase" : "";
    mContext.log.Add(line, std::string("too many ") + what + " instructions: " + mContext.version.Name() +
                               " allows " + std::to_string(limit) + scope);
}

// Slots per the version's counting rules: in ps.1.0 tex is free of the
// total but texbem and texbeml take two texture slots; texbeml also takes
// an arithmetic slot; cmp and dp4 take two in ps.1.2 and ps.1.3, bem two
// in ps.1.4; a co-issued instruction shares its partner's slot.
void kaPixelShaderRules::Count(const kaInstruction& ins) {
    const uint16_t opcode = ins.op->opcode;
    const uint32_t minor = mContext.version.minor;
    uint32_t texture = 0;
    uint32_t arithmetic = 0;
    if (ins.op->opClass == kaOpcodeClass::Texture) {
        texture = (minor == 0 && (opcode == kOpTexBem || opcode == kOpTexBemL)) ? 2 : 1;
        arithmetic = opcode == kOpTexBemL ? 1 : 0;
    } else if (ins.op->opClass == kaOpcodeClass::Arithmetic && !ins.coIssue) {
        const bool double12 = (minor == 2 || minor == 3) && (opcode == kOpCmp || opcode == kOpDp4);
        arithmetic = double12 ? 2 : ins.op->slots;
    }
    AddSlots(mTextureSlots, texture, mContext.version.IsPs14() ? 6 : 4, "texture", ins.line);
    AddSlots(mArithmeticSlots, arithmetic, 8, "arithmetic", ins.line);
    if (minor == 0) {
        AddSlots(mTotalSlots, arithmetic + (opcode == kOpTex ? 0 : texture), 8, "texture and arithmetic", ins.line);
    }
}

void kaPixelShaderRules::Finish() {
    if (!mContext.version.IsPs14()) mTexture.Finish();
}
