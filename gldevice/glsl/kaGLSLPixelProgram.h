#pragma once

#include <string>

#include "kaGLSLArithmetic.h"
#include "kaGLSLOperands.h"
#include "kaGLSLPixelTexture.h"
#include "kaGLSLSourceBuilder.h"
#include "kaShaderTypes.h"

// The GLSL function vx_ShadePixel of a checked ps.1.0-1.4 program (the
// layout is documented in kaGLSLTranslator.h).
class kaGLSLPixelProgram {
public:
    // projected: null, or per stage the component tex divides by (0 for none).
    kaGLSLPixelProgram(const kaShaderProgram& program, const kaGLSLTextureKind* kinds, const uint8_t* projected);

    std::string Text(kaGLSLDialect dialect);

private:
    std::string Evaluate(const kaInstruction& ins);
    void Write(const kaInstruction& ins, const std::string& result);
    void DeclareRegisters();

    const kaShaderProgram& mProgram;
    float mRange;  // largest magnitude a register holds
    kaGLSLOperands mOperands;
    kaGLSLSourceBuilder mBuilder;
    kaGLSLArithmetic mArithmetic;
    kaGLSLPixelTexture mTexture;
    int mResults = 0;
};
