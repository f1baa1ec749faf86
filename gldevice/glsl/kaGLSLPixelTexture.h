#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "kaGLSLOperands.h"
#include "kaGLSLSourceBuilder.h"
#include "kaGLSLTranslator.h"
#include "kaShaderTypes.h"

// The texture instructions of pixel shaders as GLSL statements: sampling
// by the kind bound at each stage, the texture registers of ps.1.0-1.3
// (tex, texcoord, texkill, texbem(l), texreg2*, the texm3x2 and texm3x3
// matrices with their pads, texdp3(tex), texm3x2depth) and the texld,
// texcrd, texkill and texdepth of ps.1.4.
class kaGLSLPixelTexture {
public:
    // projected: null, or per stage the component of its coordinates that
    // ps.1.0-1.3 tex divides them by (2 y, 3 z, 4 w; 0 for none).
    kaGLSLPixelTexture(const kaShaderVersion& version, const kaGLSLTextureKind* kinds, const uint8_t* projected,
                       kaGLSLOperands& operands, kaGLSLSourceBuilder& builder);

    void Translate(const kaInstruction& ins);

private:
    std::string Sample(uint32_t stage, const std::string& coordinate);
    std::string Coordinate(uint32_t stage) const { return "vx_Tex" + std::to_string(stage); }
    std::string ProjectedCoordinate(uint32_t stage) const;
    std::string Source(const kaInstruction& ins) { return "(" + mOperands.Source(ins.sources[0]) + ")"; }
    std::string RowDot(const kaInstruction& ins);
    void SetTexture(const kaInstruction& ins, const std::string& value);
    void Legacy(const kaInstruction& ins);
    void Bump(const kaInstruction& ins);
    void MatrixStep(const kaInstruction& ins);
    void Matrix3x3End(const kaInstruction& ins, const std::string& normal);
    void Ps14(const kaInstruction& ins);
    void Kill(const std::string& vector);
    void Depth(const std::string& z, const std::string& w);

    const kaShaderVersion& mVersion;
    const kaGLSLTextureKind* mKinds;
    const uint8_t* mProjected;
    kaGLSLOperands& mOperands;
    kaGLSLSourceBuilder& mBuilder;
    std::vector<uint32_t> mPads;  // stages of the pending texm3x2pad / texm3x3pad rows
};
