#include "kaPixelTextureRules.h"

#include "kaShaderErrorLog.h"
#include "kaShaderOpcodeTable.h"
#include "kaShaderRegisterSet.h"

namespace {

using K = kaRegisterKind;
using RS = kaShaderRegisterSet;

std::string OpName(const kaInstruction& ins) { return ins.op->name; }

bool IsPad(uint16_t opcode) { return opcode == kOpTexM3x2Pad || opcode == kOpTexM3x3Pad; }

bool EndsMatrix3x2(uint16_t opcode) { return opcode == kOpTexM3x2Tex || opcode == kOpTexM3x2Depth; }

bool EndsMatrix3x3(uint16_t opcode) {
    return opcode == kOpTexM3x3Tex || opcode == kOpTexM3x3Spec || opcode == kOpTexM3x3VSpec ||
           opcode == kOpTexM3x3;
}

bool IsMatrixInstruction(uint16_t opcode) {
    return IsPad(opcode) || EndsMatrix3x2(opcode) || EndsMatrix3x3(opcode);
}

bool SelectsXyz(const kaSourceOperand& src) {
    return src.swizzleLength == 3 && src.swizzle[0] == 0 && src.swizzle[1] == 1 && src.swizzle[2] == 2;
}

bool SelectsXyw(const kaSourceOperand& src) {
    return src.swizzleLength == 3 && src.swizzle[0] == 0 && src.swizzle[1] == 1 && src.swizzle[2] == 3;
}

}  // namespace

kaPixelTextureRules::kaPixelTextureRules(kaValidationContext& context) : mContext(context) {
    for (int8_t& selector : mCoordinateSelector) selector = -1;
}

bool kaPixelTextureRules::Check(const kaInstruction& ins, int phase) {
    if (ins.shift != 0 || ins.saturate) {
        return mContext.log.Add(ins.line, "instruction modifiers cannot be used on texture instructions");
    }
    return mContext.version.IsPs14() ? CheckPs14(ins, phase) : CheckLegacy(ins);
}

void kaPixelTextureRules::StartPhase() {
    for (bool& used : mStageUsed) used = false;
}

bool kaPixelTextureRules::ClaimStage(const kaInstruction& ins) {
    const uint32_t index = ins.dest.reg.index;
    if (index >= 8) return true;  // out of range; reported with the register
    if (mStageUsed[index]) {
        const std::string where = mContext.version.IsPs14() ? " in this phase" : "";
        return mContext.log.Add(ins.line, RS::Name(ins.dest.reg) +
                                              " is already the destination of a texture instruction" + where);
    }
    mStageUsed[index] = true;
    return true;
}

// ps.1.0 to ps.1.3: texture registers only, each written once, sources
// from lower-numbered stages.
bool kaPixelTextureRules::CheckLegacy(const kaInstruction& ins) {
    if (ins.dest.reg.kind != K::Texture) {
        return mContext.log.Add(ins.line, "'" + OpName(ins) + "' needs a texture register (t0 to t3) as its destination");
    }
    if (ins.dest.maskGiven) {
        return mContext.log.Add(ins.line, "texture instructions take no write mask before ps.1.4");
    }
    for (size_t i = 0; i < ins.sources.size(); ++i) {
        if (!CheckLegacySource(ins, i)) return false;
    }
    return ins.op->opcode == kOpTexKill || ClaimStage(ins);
}

bool kaPixelTextureRules::CheckLegacySource(const kaInstruction& ins, size_t index) {
    const kaSourceOperand& src = ins.sources[index];
    if (ins.op->opcode == kOpTexM3x3Spec && index == 1) {
        if (src.reg.kind == K::Constant && !src.HasModifier() && !src.HasSwizzle()) return true;
        return mContext.log.Add(ins.line, "texm3x3spec takes a plain constant register as its eye vector");
    }
    if (src.reg.kind != K::Texture || src.reg.index >= ins.dest.reg.index) {
        return mContext.log.Add(ins.line, "the source of '" + OpName(ins) +
                                              "' must be a texture register below its destination " +
                                              RS::Name(ins.dest.reg));
    }
    if (src.HasSwizzle()) return mContext.log.Add(ins.line, "texture instruction sources take no selector");
    const bool bx2Allowed = mContext.version.minor >= 2 || IsMatrixInstruction(ins.op->opcode);
    const bool onlyBx2 = !src.negate && !src.invert &&
                         (src.suffix == kaSourceSuffix::None || src.suffix == kaSourceSuffix::SignedScale);
    if (onlyBx2 && (bx2Allowed || src.suffix == kaSourceSuffix::None)) return true;
    return mContext.log.Add(ins.line, "the only modifier of a texture instruction source is _bx2"
                                      " (before ps.1.2 on texm* instructions only)");
}

bool kaPixelTextureRules::CheckSequence(const kaInstruction& ins) {
    const uint16_t opcode = ins.op->opcode;
    if (mPending.line != 0) return ContinueMatrix(ins);
    if (IsPad(opcode) && ins.hasDest) {
        mPending = PendingMatrix{ins.line, opcode, ins.dest.reg.index + 1, opcode == kOpTexM3x3Pad ? 1 : 0};
        return true;
    }
    if (EndsMatrix3x2(opcode)) return mContext.log.Add(ins.line, OpName(ins) + " must follow a texm3x2pad");
    if (EndsMatrix3x3(opcode)) return mContext.log.Add(ins.line, OpName(ins) + " must follow two texm3x3pad");
    return true;
}

std::string kaPixelTextureRules::ExpectedMatrixStep() const {
    std::string what = "texm3x3pad";
    if (mPending.padOpcode == kOpTexM3x2Pad) what = "texm3x2tex or texm3x2depth";
    if (mPending.padOpcode == kOpTexM3x3Pad && mPending.padsLeft == 0) {
        what = "texm3x3tex, texm3x3spec, texm3x3vspec or texm3x3";
    }
    return what + " writing t" + std::to_string(mPending.nextIndex);
}

bool kaPixelTextureRules::ContinueMatrix(const kaInstruction& ins) {
    const uint16_t opcode = ins.op->opcode;
    const bool rightIndex = ins.hasDest && ins.dest.reg.index == mPending.nextIndex;
    const bool morePads = mPending.padsLeft > 0;
    const bool rightStep = morePads ? opcode == mPending.padOpcode
                                    : (mPending.padOpcode == kOpTexM3x2Pad ? EndsMatrix3x2(opcode)
                                                                            : EndsMatrix3x3(opcode));
    if (!rightStep || !rightIndex) {
        const std::string expected = ExpectedMatrixStep();
        mPending = PendingMatrix{};
        return mContext.log.Add(ins.line, "expected " + expected + " to continue the matrix");
    }
    ++mPending.nextIndex;
    if (morePads) {
        --mPending.padsLeft;
    } else {
        mPending = PendingMatrix{};
    }
    return true;
}

void kaPixelTextureRules::Finish() {
    if (mPending.line == 0) return;
    mContext.log.Add(mPending.line, "this matrix is not completed: " + ExpectedMatrixStep() + " is missing");
}

// ps.1.4: texld, texcrd, texdepth write temporary registers; texkill tests
// a texture coordinate or (in phase 2) a temporary register.
bool kaPixelTextureRules::CheckPs14(const kaInstruction& ins, int phase) {
    if (!CheckPs14Destination(ins, phase)) return false;
    const uint16_t opcode = ins.op->opcode;
    if (opcode == kOpTexKill || opcode == kOpTexDepth) return true;
    return CheckCoordinateSource(ins, phase) && ClaimStage(ins);
}

bool kaPixelTextureRules::CheckPs14Destination(const kaInstruction& ins, int phase) {
    const kaDestOperand& dest = ins.dest;
    const uint16_t opcode = ins.op->opcode;
    if (opcode == kOpTexKill) {
        if (dest.maskGiven) return mContext.log.Add(ins.line, "texkill takes no write mask");
        if (dest.reg.kind == K::Texture || (dest.reg.kind == K::Temp && phase == 2)) return true;
        return mContext.log.Add(ins.line, "texkill tests t0 to t5, or r0 to r5 in phase 2");
    }
    if (dest.reg.kind != K::Temp) {
        return mContext.log.Add(ins.line, "'" + OpName(ins) + "' needs a temporary register (r0 to r5) as its destination");
    }
    if (opcode == kOpTexDepth) {
        if (dest.reg.index != 5 || dest.maskGiven) return mContext.log.Add(ins.line, "texdepth writes r5 only");
        if (phase != 2) return mContext.log.Add(ins.line, "texdepth is only allowed in phase 2");
        return true;
    }
    const bool texld = opcode == kOpTex;
    const bool maskOk = dest.mask == 0xF || (!texld && (dest.mask == 0x7 || dest.mask == 0x3));
    if (!maskOk) {
        return mContext.log.Add(ins.line, texld ? "texld takes no write mask"
                                                : "texcrd takes only the .rgb, .rg or .rgba write mask");
    }
    return true;
}

bool kaPixelTextureRules::CheckCoordinateSource(const kaInstruction& ins, int phase) {
    const kaSourceOperand& src = ins.sources[0];
    const bool texld = ins.op->opcode == kOpTex;
    const bool fromTemp = src.reg.kind == K::Temp;
    if (src.reg.kind != K::Texture && !(texld && fromTemp)) {
        return mContext.log.Add(ins.line, texld ? "texld reads t0 to t5, or r0 to r5 in phase 2"
                                                : "texcrd reads t0 to t5 only");
    }
    if (fromTemp && phase != 2) {
        return mContext.log.Add(ins.line, "texld can read a temporary register only in phase 2");
    }
    if (src.negate || src.invert ||
        (src.suffix != kaSourceSuffix::None && src.suffix != kaSourceSuffix::DivideZ &&
         src.suffix != kaSourceSuffix::DivideW)) {
        return mContext.log.Add(ins.line, "the only modifiers of a texld or texcrd source are _dz and _dw");
    }
    const bool xyw = SelectsXyw(src);
    if (src.HasSwizzle() && !xyw && !SelectsXyz(src)) {
        return mContext.log.Add(ins.line, "texld and texcrd sources take only the .xyz or .xyw selector");
    }
    return CheckProjection(ins, src) && (fromTemp || CheckSelectorUse(src, xyw, ins.line));
}

bool kaPixelTextureRules::CheckProjection(const kaInstruction& ins, const kaSourceOperand& src) {
    if (src.suffix == kaSourceSuffix::DivideZ) {
        if (ins.op->opcode != kOpTex || src.reg.kind != K::Temp || SelectsXyw(src)) {
            return mContext.log.Add(ins.line, "_dz is only allowed on a texld source that is a temporary register, with .xyz");
        }
        if (++mDivideZCount > 2) return mContext.log.Add(ins.line, "_dz may be used at most twice in a shader");
    }
    if (src.suffix == kaSourceSuffix::DivideW && (src.reg.kind != K::Texture || !SelectsXyw(src))) {
        return mContext.log.Add(ins.line, "_dw is only allowed on a texture coordinate read with .xyw");
    }
    return true;
}

// Every read of one texture coordinate register uses the same selector.
bool kaPixelTextureRules::CheckSelectorUse(const kaSourceOperand& src, bool xyw, int line) {
    const uint32_t index = src.reg.index;
    if (index >= 8) return true;
    int8_t& selector = mCoordinateSelector[index];
    if (selector >= 0 && selector != (xyw ? 1 : 0)) {
        return mContext.log.Add(line, RS::Name(src.reg) + " is read with both the .xyz and the .xyw selector");
    }
    selector = xyw ? 1 : 0;
    return true;
}
