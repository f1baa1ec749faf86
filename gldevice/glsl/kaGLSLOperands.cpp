#include "kaGLSLOperands.h"

#include <cmath>
#include <cstring>

#include "kaShaderDisassembler.h"

namespace {

const char kLetters[] = "xyzw";

}  // namespace

std::string kaGLSLOperands::Register(const kaRegisterRef& reg, uint32_t row) {
    using K = kaRegisterKind;
    const uint32_t index = reg.index + row;
    if (!reg.relative) mRead[static_cast<size_t>(reg.kind)].insert(index);
    const std::string number = std::to_string(index);
    switch (reg.kind) {
        case K::Temp: return "r" + number;
        case K::Texture: return "t" + number;
        case K::Input: return (mPixel ? "v" : "vx_v") + number;
        case K::Constant:
            if (mPixel) return "c" + number;
            return reg.relative ? "vx_c[clamp(a0x + " + number + ", 0, 95)]" : "vx_c[" + number + "]";
        default: break;
    }
    return "vec4(0.0)";  // no other register file is readable
}

std::string kaGLSLOperands::Source(const kaSourceOperand& src, uint32_t row) {
    return Modified(Register(src.reg, row) + Swizzle(src.swizzle), src);
}

std::string kaGLSLOperands::Component(const kaSourceOperand& src, int lane) {
    return Modified(Register(src.reg) + "." + kLetters[src.swizzle[lane]], src);
}

std::string kaGLSLOperands::Modified(const std::string& value, const kaSourceOperand& src) const {
    std::string text = value;
    switch (src.suffix) {
        case kaSourceSuffix::Bias: text = "(" + value + " - 0.5)"; break;
        case kaSourceSuffix::SignedScale: text = "(2.0 * " + value + " - 1.0)"; break;
        case kaSourceSuffix::Double: text = "(2.0 * " + value + ")"; break;
        default: break;
    }
    if (src.invert) text = "(1.0 - " + text + ")";
    if (src.negate) text = "(-" + text + ")";
    return text;
}

std::string kaGLSLOperands::Swizzle(const uint8_t (&swizzle)[4]) {
    if (swizzle[0] == 0 && swizzle[1] == 1 && swizzle[2] == 2 && swizzle[3] == 3) return "";
    std::string text = ".";
    for (uint8_t component : swizzle) text += kLetters[component];
    return text;
}

std::string kaGLSLOperands::Mask(uint32_t mask) {
    if (mask == 0xF) return "";
    std::string text = ".";
    for (int c = 0; c < 4; ++c) {
        if (mask & (1u << c)) text += kLetters[c];
    }
    return text;
}

// The shortest text that reads back as the same float, always with a point
// or an exponent so that GLSL takes it as a float; values that text cannot
// hold (infinities, NaN) through their bits.
std::string kaGLSLOperands::Number(float value) {
    if (!std::isfinite(value)) {
        uint32_t bits;
        std::memcpy(&bits, &value, sizeof bits);
        return "uintBitsToFloat(" + std::to_string(bits) + "u)";
    }
    std::string number = kaShaderDisassembler::NumberText(value);
    if (number.find_first_of(".e") == std::string::npos) number += ".0";
    return number;
}
