#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Plain data shared by the stages of the shader assembler: the parsed
// program as the parser builds it and the validator and encoder read it.

enum class kaShaderKind : uint8_t { Vertex, Pixel };

struct kaShaderVersion {
    kaShaderKind kind = kaShaderKind::Vertex;
    uint32_t major = 1;
    uint32_t minor = 0;

    bool IsPixel() const { return kind == kaShaderKind::Pixel; }
    // Pixel shader version 1.0 to 1.3 share one programming model; 1.4
    // has phases and a register model of its own.
    bool IsPs14() const { return IsPixel() && minor == 4; }
    uint32_t Token() const {
        return (IsPixel() ? 0xFFFF0000u : 0xFFFE0000u) | (major << 8) | minor;
    }
    std::string Name() const {
        return std::string(IsPixel() ? "ps." : "vs.") + std::to_string(major) + "." +
               std::to_string(minor);
    }
};

// The register files of both shader kinds.  Which ones exist, and how many
// registers each has, depends on the version (kaShaderRegisterSet).
enum class kaRegisterKind : uint8_t {
    Temp,         // r#
    Input,        // v#
    Constant,     // c#
    Address,      // a0
    Texture,      // t#
    Position,     // oPos
    Fog,          // oFog
    PointSize,    // oPts
    Color,        // oD#
    TexCoordOut,  // oT#
    Count
};

struct kaRegisterRef {
    kaRegisterKind kind = kaRegisterKind::Temp;
    uint32_t index = 0;
    bool relative = false;  // c[a0.x + index]

    bool operator==(const kaRegisterRef& o) const {
        return kind == o.kind && index == o.index && relative == o.relative;
    }
};

// Source modifiers written after the register name.
enum class kaSourceSuffix : uint8_t {
    None,
    Bias,         // _bias
    SignedScale,  // _bx2
    Double,       // _x2
    DivideZ,      // _dz, _db
    DivideW,      // _dw, _da
};

struct kaSourceOperand {
    kaRegisterRef reg;
    uint8_t swizzle[4] = {0, 1, 2, 3};
    uint8_t swizzleLength = 0;  // components written after the dot, 0 without
    bool negate = false;        // -reg
    bool invert = false;        // 1-reg
    kaSourceSuffix suffix = kaSourceSuffix::None;

    bool HasSwizzle() const { return swizzleLength != 0; }
    bool IsIdentitySwizzle() const {
        return swizzle[0] == 0 && swizzle[1] == 1 && swizzle[2] == 2 && swizzle[3] == 3;
    }
    bool HasModifier() const { return negate || invert || suffix != kaSourceSuffix::None; }
};

struct kaDestOperand {
    kaRegisterRef reg;
    uint32_t mask = 0xF;  // bit 0 = x/r ... bit 3 = w/a
    bool maskGiven = false;
};

struct kaOpcodeInfo;

struct kaInstruction {
    int line = 0;
    const kaOpcodeInfo* op = nullptr;
    bool coIssue = false;  // written with a leading '+'
    int shift = 0;         // 1, 2, 3 for _x2, _x4, _x8; -1, -2, -3 for _d2, _d4, _d8
    bool saturate = false;
    bool hasDest = false;
    kaDestOperand dest;
    std::vector<kaSourceOperand> sources;
    float defValues[4] = {0, 0, 0, 0};
};

// A comment token of a decoded token stream: its words, and the number of
// instructions that come before it.
struct kaShaderComment {
    size_t position = 0;
    std::vector<uint32_t> words;
};

struct kaShaderProgram {
    kaShaderVersion version;
    int lastLine = 1;
    std::vector<kaInstruction> instructions;
    std::vector<kaShaderComment> comments;  // only in decoded programs
};
