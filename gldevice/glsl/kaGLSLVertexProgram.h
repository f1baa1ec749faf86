#pragma once

#include <string>

#include "kaGLSLArithmetic.h"
#include "kaGLSLOperands.h"
#include "kaGLSLSourceBuilder.h"
#include "kaShaderTypes.h"

// The GLSL vertex program of a checked vs.1.0/1.1 program (the layout is
// documented in kaGLSLTranslator.h).
class kaGLSLVertexProgram {
public:
    explicit kaGLSLVertexProgram(const kaShaderProgram& program);

    std::string Text(kaGLSLDialect dialect);

private:
    void Write(const kaInstruction& ins, const std::string& value);
    void DeclareInterface();

    const kaShaderProgram& mProgram;
    kaGLSLOperands mOperands;
    kaGLSLSourceBuilder mBuilder;
    kaGLSLArithmetic mArithmetic;
};
