#pragma once

#include <cstdint>

// The bit fields of Direct3D 8 shader tokens, shared by the encoder and the
// decoder.
namespace kaTokenFormat {

constexpr uint32_t kEndToken = 0x0000FFFFu;
constexpr uint32_t kOpcodeMask = 0x0000FFFFu;
constexpr uint32_t kCoIssueBit = 0x40000000u;
constexpr uint32_t kParameterBit = 0x80000000u;

// Comment token: opcode 0xFFFE, the number of comment words in bits 16-30.
constexpr uint32_t kCommentLengthShift = 16;
constexpr uint32_t kCommentLengthMask = 0x7FFFu;

// Parameter tokens: register number in bits 0-10, type in bits 28-30.
constexpr uint32_t kRegisterNumberMask = 0x7FFu;
constexpr uint32_t kRegisterTypeShift = 28;
constexpr uint32_t kRegisterTypeMask = 0x7u;
constexpr uint32_t kRelativeBit = 1u << 13;  // sources: c[a0.x + n]

// Destinations: write mask in bits 16-19, result modifier (_sat) in bits
// 20-23, signed four-bit shift scale in bits 24-27.
constexpr uint32_t kWriteMaskShift = 16;
constexpr uint32_t kSaturateBit = 1u << 20;
constexpr uint32_t kShiftShift = 24;

// Sources: swizzle in bits 16-23 (two bits a component), modifier in bits
// 24-27.
constexpr uint32_t kSwizzleShift = 16;
constexpr uint32_t kSourceModifierShift = 24;

// D3DSPR_* register types.  Type 3 is a0 in vertex shaders and t# in
// pixel shaders; type 4 holds oPos (0), oFog (1) and oPts (2).
enum RegisterType : uint32_t {
    kTemp = 0,
    kInput = 1,
    kConst = 2,
    kAddressOrTexture = 3,
    kRastOut = 4,
    kAttrOut = 5,
    kTexCrdOut = 6,
};

// D3DSPSM_* source modifiers.
enum SourceModifier : uint32_t {
    kNone = 0,
    kNegate = 1,
    kBias = 2,
    kBiasNegate = 3,
    kSignedScale = 4,
    kSignedScaleNegate = 5,
    kComplement = 6,
    kDouble = 7,
    kDoubleNegate = 8,
    kDivideZ = 9,
    kDivideW = 10,
};

// D3DVSD_CONST(address, count) tokens of a vertex declaration: token type 4
// in bits 29-31, the register count in bits 25-28, the address in bits 0-6,
// followed by four float words per register.
constexpr uint32_t kDeclarationTypeShift = 29;
constexpr uint32_t kDeclarationConstant = 4;
constexpr uint32_t kDeclarationCountShift = 25;
constexpr uint32_t kDeclarationCountMask = 0xFu;
constexpr uint32_t kDeclarationAddressMask = 0x7Fu;

}  // namespace kaTokenFormat
