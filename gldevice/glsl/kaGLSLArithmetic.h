#pragma once

#include <string>

#include "kaGLSLOperands.h"
#include "kaGLSLSourceBuilder.h"
#include "kaShaderTypes.h"

// The value of an arithmetic instruction of either shader kind as one GLSL
// vec4 expression, before its destination's write mask, shift, _sat and
// range: the per-component operations, the dot products (replicated), the
// vertex macros and special functions as Direct3D 8 defines them, and the
// pixel blends.  Helper functions the expression calls go to the builder.
class kaGLSLArithmetic {
public:
    kaGLSLArithmetic(kaGLSLOperands& operands, kaGLSLSourceBuilder& builder) : mOperands(operands), mBuilder(builder) {}

    // Empty for an instruction that is not arithmetic (or nop).
    std::string Value(const kaInstruction& ins);

private:
    std::string Source(const kaInstruction& ins, size_t i) { return mOperands.Source(ins.sources[i]); }
    std::string Scalar(const kaInstruction& ins) { return mOperands.Component(ins.sources[0], 3); }
    std::string Call(const char* helper, const std::string& argument);
    std::string Matrix(const kaInstruction& ins);
    std::string BumpEnvironment(const kaInstruction& ins);

    kaGLSLOperands& mOperands;
    kaGLSLSourceBuilder& mBuilder;
};
