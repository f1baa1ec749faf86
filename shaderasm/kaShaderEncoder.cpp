#include "kaShaderEncoder.h"

#include <cstring>

#include "kaShaderOpcodeTable.h"
#include "kaShaderTokenFormat.h"

namespace {

using namespace kaTokenFormat;

// D3DVSD_CONST(address, 1): constant-memory declaration token of one register.
uint32_t ConstDeclaration(uint32_t address) {
    return (kDeclarationConstant << kDeclarationTypeShift) | (1u << kDeclarationCountShift) | address;
}

uint32_t FloatBits(float value) {
    uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

}  // namespace

void kaShaderEncoder::Encode(const kaShaderProgram& program, std::vector<uint32_t>& tokens,
                             std::vector<uint32_t>& defConstants) {
    tokens.clear();
    defConstants.clear();
    tokens.push_back(program.version.Token());
    for (const kaInstruction& ins : program.instructions) {
        const bool define = ins.op->opClass == kaOpcodeClass::Define;
        if (define && !program.version.IsPixel()) {
            defConstants.push_back(ConstDeclaration(ins.dest.reg.index));
            AppendValues(ins, defConstants);
            continue;
        }
        tokens.push_back(ins.op->opcode | (ins.coIssue ? kCoIssueBit : 0));
        if (ins.hasDest) tokens.push_back(DestinationToken(ins));
        for (const kaSourceOperand& src : ins.sources) tokens.push_back(SourceToken(src));
        if (define) AppendValues(ins, tokens);
    }
    tokens.push_back(kEndToken);
}

void kaShaderEncoder::AppendValues(const kaInstruction& ins, std::vector<uint32_t>& out) {
    for (float value : ins.defValues) out.push_back(FloatBits(value));
}

uint32_t kaShaderEncoder::RegisterBits(const kaRegisterRef& reg) {
    using K = kaRegisterKind;
    uint32_t type = kTemp;
    uint32_t index = reg.index;
    switch (reg.kind) {
        case K::Temp: type = kTemp; break;
        case K::Input: type = kInput; break;
        case K::Constant: type = kConst; break;
        case K::Address:  // D3DSPR_ADDR and D3DSPR_TEXTURE share type 3
        case K::Texture: type = kAddressOrTexture; break;
        case K::Position: type = kRastOut, index = 0; break;
        case K::Fog: type = kRastOut, index = 1; break;
        case K::PointSize: type = kRastOut, index = 2; break;
        case K::Color: type = kAttrOut; break;
        case K::TexCoordOut: type = kTexCrdOut; break;
        case K::Count: break;
    }
    return kParameterBit | (type << kRegisterTypeShift) | index;
}

uint32_t kaShaderEncoder::DestinationToken(const kaInstruction& ins) {
    const uint32_t shift = static_cast<uint32_t>(ins.shift) & 0xF;  // signed four-bit scale
    return RegisterBits(ins.dest.reg) | (ins.dest.mask << kWriteMaskShift) | (ins.saturate ? kSaturateBit : 0) |
           (shift << kShiftShift);
}

// D3DSPSM_* source modifier of the operand.
uint32_t kaShaderEncoder::ModifierBits(const kaSourceOperand& src) {
    using S = kaSourceSuffix;
    uint32_t modifier = src.negate ? kNegate : kNone;
    switch (src.suffix) {
        case S::None: break;
        case S::Bias: modifier = src.negate ? kBiasNegate : kBias; break;
        case S::SignedScale: modifier = src.negate ? kSignedScaleNegate : kSignedScale; break;
        case S::Double: modifier = src.negate ? kDoubleNegate : kDouble; break;
        case S::DivideZ: modifier = kDivideZ; break;
        case S::DivideW: modifier = kDivideW; break;
    }
    if (src.invert) modifier = kComplement;
    return modifier << kSourceModifierShift;
}

uint32_t kaShaderEncoder::SourceToken(const kaSourceOperand& src) {
    const uint32_t swizzle = src.swizzle[0] | (src.swizzle[1] << 2) | (src.swizzle[2] << 4) | (src.swizzle[3] << 6);
    return RegisterBits(src.reg) | (src.reg.relative ? kRelativeBit : 0) | (swizzle << kSwizzleShift) | ModifierBits(src);
}
