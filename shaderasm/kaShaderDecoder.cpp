#include "kaShaderDecoder.h"

#include <cstdio>
#include <cstring>

#include "kaShaderOpcodeTable.h"
#include "kaShaderTokenFormat.h"

namespace {

using namespace kaTokenFormat;
using K = kaRegisterKind;

std::string Hex(uint32_t word) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(word));
    return text;
}

float FloatOf(uint32_t bits) {
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

// The shortest swizzle text that the assembler reads back as `swizzle`:
// nothing for .xyzw, otherwise up to the last component that differs from
// the one after it.
uint8_t SwizzleLength(const uint8_t (&swizzle)[4]) {
    if (swizzle[0] == 0 && swizzle[1] == 1 && swizzle[2] == 2 && swizzle[3] == 3) return 0;
    uint8_t length = 4;
    while (length > 1 && swizzle[length - 2] == swizzle[3]) --length;
    return length;
}

bool VertexRegister(uint32_t type, uint32_t number, kaRegisterRef& reg) {
    static const K kRastOutKinds[] = {K::Position, K::Fog, K::PointSize};
    switch (type) {
        case kTemp: reg.kind = K::Temp; break;
        case kInput: reg.kind = K::Input; break;
        case kConst: reg.kind = K::Constant; break;
        case kAddressOrTexture: reg.kind = K::Address; break;
        case kAttrOut: reg.kind = K::Color; break;
        case kTexCrdOut: reg.kind = K::TexCoordOut; break;
        case kRastOut:
            if (number > 2) return false;
            reg.kind = kRastOutKinds[number];
            number = 0;
            break;
        default: return false;
    }
    reg.index = number;
    return reg.kind != K::Address || number == 0;
}

bool PixelRegister(uint32_t type, uint32_t number, kaRegisterRef& reg) {
    static const K kKinds[] = {K::Temp, K::Input, K::Constant, K::Texture};
    if (type > kAddressOrTexture) return false;
    reg.kind = kKinds[type];
    reg.index = number;
    return true;
}

bool DecodeModifier(uint32_t modifier, kaSourceOperand& src) {
    using S = kaSourceSuffix;
    static const S kSuffixes[] = {S::None, S::None, S::Bias, S::Bias, S::SignedScale, S::SignedScale,
                                  S::None, S::Double, S::Double, S::DivideZ, S::DivideW};
    if (modifier > kDivideW) return false;
    src.suffix = kSuffixes[modifier];
    src.negate = modifier == kNegate || modifier == kBiasNegate || modifier == kSignedScaleNegate ||
                 modifier == kDoubleNegate;
    src.invert = modifier == kComplement;
    return true;
}

// The signed four-bit scale: 1-3 for _x2 to _x8, 13-15 for _d8 to _d2.
bool Shift(uint32_t bits, int& shift) {
    if (bits <= 3) {
        shift = static_cast<int>(bits);
        return true;
    }
    if (bits < 13) return false;
    shift = static_cast<int>(bits) - 16;
    return true;
}

}  // namespace

kaShaderDecoder::kaShaderDecoder(const uint32_t* tokens, size_t count, kaShaderDecoding& out)
    : mTokens(tokens), mCount(tokens != nullptr ? count : 0), mOut(out) {}

kaShaderDecoding kaShaderDecoder::Decode(const uint32_t* tokens, size_t count, const uint32_t* constants,
                                         size_t constantCount) {
    kaShaderDecoding out;
    kaShaderDecoder decoder(tokens, count, out);
    out.ok = decoder.DecodeVersion() && decoder.DecodeConstants(constants, constants != nullptr ? constantCount : 0) &&
             decoder.DecodeBody();
    if (!out.ok) {
        out.program.instructions.clear();
        out.spans.clear();
    }
    return out;
}

bool kaShaderDecoder::Fail(size_t at, const std::string& message) {
    mOut.error = "token " + std::to_string(at);
    if (at < mCount) mOut.error += " (" + Hex(mTokens[at]) + ")";
    mOut.error += ": " + message;
    return false;
}

bool kaShaderDecoder::Need(size_t words, const char* what) {
    if (mCount - mPos >= words) return true;
    return Fail(mCount, std::string("the stream ends inside ") + what);
}

bool kaShaderDecoder::DecodeVersion() {
    if (mCount == 0) return Fail(0, "empty token stream: a shader starts with its version token");
    const uint32_t token = mTokens[0];
    kaShaderVersion& version = mOut.program.version;
    const uint32_t kind = token >> 16;
    version.kind = kind == 0xFFFF ? kaShaderKind::Pixel : kaShaderKind::Vertex;
    version.major = (token >> 8) & 0xFF;
    version.minor = token & 0xFF;
    const uint32_t lastMinor = version.IsPixel() ? 4 : 1;
    if ((kind != 0xFFFE && kind != 0xFFFF) || version.major != 1 || version.minor > lastMinor) {
        return Fail(0, "not a version token of vs.1.0, vs.1.1 or ps.1.0 to ps.1.4");
    }
    mPos = 1;
    return true;
}

// A vertex shader's def instructions, from its constant declaration tokens.
bool kaShaderDecoder::DecodeConstants(const uint32_t* constants, size_t count) {
    if (count != 0 && mOut.program.version.IsPixel()) {
        return Fail(0, "a pixel shader keeps its def constants in its token stream");
    }
    const kaOpcodeInfo* def = kaShaderOpcodeTable::Find("def", kaShaderKind::Vertex);
    for (size_t at = 0; at < count;) {
        const uint32_t token = constants[at];
        const uint32_t registers = (token >> kDeclarationCountShift) & kDeclarationCountMask;
        const bool form = (token >> kDeclarationTypeShift) == kDeclarationConstant &&
                          (token & ~(0xFu << kDeclarationCountShift) & 0x1FFFFFFFu & ~kDeclarationAddressMask) == 0;
        if (!form || registers == 0 || count - at - 1 < registers * 4u) {
            mOut.error = "constant token " + std::to_string(at) + " (" + Hex(token) +
                         "): not a D3DVSD_CONST declaration with its values";
            return false;
        }
        for (uint32_t r = 0; r < registers; ++r) {
            kaInstruction ins;
            ins.op = def;
            ins.hasDest = true;
            ins.dest.reg = kaRegisterRef{K::Constant, (token & kDeclarationAddressMask) + r, false};
            for (int i = 0; i < 4; ++i) ins.defValues[i] = FloatOf(constants[at + 1 + r * 4 + i]);
            Add(ins, kaTokenSpan{at, 1 + registers * 4u, true});
        }
        at += 1 + registers * 4u;
    }
    return true;
}

bool kaShaderDecoder::DecodeBody() {
    while (true) {
        if (mPos >= mCount) return Fail(mCount, "the stream ends without the end token 0x0000FFFF");
        const uint32_t token = mTokens[mPos];
        if (token == kEndToken) break;
        const bool ok = (token & kOpcodeMask) == kOpComment ? DecodeComment() : DecodeInstruction();
        if (!ok) return false;
    }
    mOut.program.lastLine = static_cast<int>(mOut.program.instructions.size()) + 1;
    return true;
}

bool kaShaderDecoder::DecodeComment() {
    const size_t words = (mTokens[mPos] >> kCommentLengthShift) & kCommentLengthMask;
    if ((mTokens[mPos] & kParameterBit) != 0) return Fail(mPos, "a comment token has bit 31 clear");
    if (!Need(1 + words, "a comment")) return false;
    kaShaderComment comment;
    comment.position = mOut.program.instructions.size();
    comment.words.assign(mTokens + mPos + 1, mTokens + mPos + 1 + words);
    mOut.program.comments.push_back(std::move(comment));
    mPos += 1 + words;
    return true;
}

bool kaShaderDecoder::DecodeInstruction() {
    const size_t start = mPos;
    const uint32_t token = mTokens[mPos];
    if ((token & kParameterBit) != 0) return Fail(mPos, "a parameter token where an instruction was expected");
    if ((token & ~(kOpcodeMask | kCoIssueBit)) != 0) return Fail(mPos, "unknown bits in an instruction token");
    kaInstruction ins;
    ins.op = kaShaderOpcodeTable::FindOpcode(token & kOpcodeMask, mOut.program.version);
    if (ins.op == nullptr) return Fail(mPos, "no instruction of " + mOut.program.version.Name() + " has this opcode");
    ins.coIssue = (token & kCoIssueBit) != 0;
    ins.hasDest = ins.op->hasDest;
    const bool define = ins.op->opClass == kaOpcodeClass::Define;
    const size_t words = 1 + (ins.hasDest ? 1 : 0) + ins.op->sourceCount + (define ? 4 : 0);
    if (!Need(words, (std::string("'") + ins.op->name + "'").c_str())) return false;
    ++mPos;
    if (ins.hasDest && !DecodeDestination(mPos++, ins)) return false;
    ins.sources.resize(ins.op->sourceCount);
    for (kaSourceOperand& src : ins.sources) {
        if (!DecodeSource(mPos++, src)) return false;
    }
    for (int i = 0; define && i < 4; ++i) ins.defValues[i] = FloatOf(mTokens[mPos++]);
    Add(ins, kaTokenSpan{start, words, false});
    return true;
}

bool kaShaderDecoder::DecodeRegister(size_t at, uint32_t token, kaRegisterRef& reg) {
    if ((token & kParameterBit) == 0) return Fail(at, "an operand token needs bit 31 set");
    const uint32_t type = (token >> kRegisterTypeShift) & kRegisterTypeMask;
    const uint32_t number = token & kRegisterNumberMask;
    const bool known = mOut.program.version.IsPixel() ? PixelRegister(type, number, reg)
                                                      : VertexRegister(type, number, reg);
    if (!known) return Fail(at, "no register of type " + std::to_string(type) + " and number " + std::to_string(number));
    return true;
}

bool kaShaderDecoder::DecodeDestination(size_t at, kaInstruction& ins) {
    const uint32_t token = mTokens[at];
    if (!DecodeRegister(at, token, ins.dest.reg)) return false;
    const uint32_t known = kParameterBit | (kRegisterTypeMask << kRegisterTypeShift) | (0xFu << kShiftShift) |
                           kSaturateBit | (0xFu << kWriteMaskShift) | kRegisterNumberMask;
    if ((token & ~known) != 0) return Fail(at, "unknown bits in a destination token");
    ins.dest.mask = (token >> kWriteMaskShift) & 0xF;
    if (ins.dest.mask == 0) return Fail(at, "a destination writes no component");
    ins.dest.maskGiven = ins.dest.mask != 0xF;
    ins.saturate = (token & kSaturateBit) != 0;
    if (!Shift((token >> kShiftShift) & 0xF, ins.shift)) return Fail(at, "unknown result shift");
    return true;
}

bool kaShaderDecoder::DecodeSource(size_t at, kaSourceOperand& src) {
    const uint32_t token = mTokens[at];
    if (!DecodeRegister(at, token, src.reg)) return false;
    const uint32_t known = kParameterBit | (kRegisterTypeMask << kRegisterTypeShift) |
                           (0xFu << kSourceModifierShift) | (0xFFu << kSwizzleShift) | kRelativeBit |
                           kRegisterNumberMask;
    if ((token & ~known) != 0) return Fail(at, "unknown bits in a source token");
    src.reg.relative = (token & kRelativeBit) != 0;
    if (src.reg.relative && src.reg.kind != K::Constant) {
        return Fail(at, "relative addressing of a register that is not a constant");
    }
    for (int i = 0; i < 4; ++i) src.swizzle[i] = (token >> (kSwizzleShift + 2 * i)) & 3;
    src.swizzleLength = SwizzleLength(src.swizzle);
    if (!DecodeModifier((token >> kSourceModifierShift) & 0xF, src)) return Fail(at, "unknown source modifier");
    return true;
}

void kaShaderDecoder::Add(kaInstruction ins, kaTokenSpan span) {
    ins.line = static_cast<int>(mOut.program.instructions.size()) + 2;
    mOut.program.instructions.push_back(std::move(ins));
    mOut.spans.push_back(span);
}
