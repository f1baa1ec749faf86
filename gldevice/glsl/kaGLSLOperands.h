#pragma once

#include <cstdint>
#include <set>
#include <string>

#include "kaShaderTypes.h"

// GLSL expressions for the operands of one shader: register reads with
// their swizzles and source modifiers, write masks, and a record of which
// registers the shader reads so that the program declares only those.
//
// Vertex shaders read r# as `r#`, v# as `vx_v#`, c# as `vx_c[#]` (relative:
// `vx_c[clamp(a0x + #, 0, 95)]`); pixel shaders read locals `r#`, `t#`,
// `v#` and `c#` that the pixel program sets up.
class kaGLSLOperands {
public:
    explicit kaGLSLOperands(const kaShaderVersion& version) : mPixel(version.IsPixel()) {}

    // The vec4 value of a register, `row` registers further on (the rows of
    // a matrix operand).
    std::string Register(const kaRegisterRef& reg, uint32_t row = 0);
    // The vec4 value of a source: swizzled, then _bias, _bx2, _x2, 1- and
    // negation applied (_dz and _dw are the texture instructions' business).
    std::string Source(const kaSourceOperand& src, uint32_t row = 0);
    // One component (0-3) of that value, as a float.
    std::string Component(const kaSourceOperand& src, int lane);

    static std::string Swizzle(const uint8_t (&swizzle)[4]);  // "" for .xyzw
    static std::string Mask(uint32_t mask);                   // ".xz"; "" for .xyzw
    static std::string Number(float value);                   // a GLSL float literal

    const std::set<uint32_t>& Read(kaRegisterKind kind) const { return mRead[static_cast<size_t>(kind)]; }

private:
    std::string Modified(const std::string& value, const kaSourceOperand& src) const;

    bool mPixel;
    std::set<uint32_t> mRead[static_cast<size_t>(kaRegisterKind::Count)];
};
