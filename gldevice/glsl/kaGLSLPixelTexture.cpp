#include "kaGLSLPixelTexture.h"

#include "kaShaderOpcodeTable.h"

namespace {

std::string Stage(uint32_t stage) { return std::to_string(stage); }

// The row dot product of a texm3x2 / texm3x3 stage, kept for the last row.
std::string RowName(uint32_t stage) { return "vx_m" + Stage(stage); }

}  // namespace

kaGLSLPixelTexture::kaGLSLPixelTexture(const kaShaderVersion& version, const kaGLSLTextureKind* kinds,
                                       const uint8_t* projected, kaGLSLOperands& operands,
                                       kaGLSLSourceBuilder& builder)
    : mVersion(version), mKinds(kinds), mProjected(projected), mOperands(operands), mBuilder(builder) {}

// tex's coordinates of a stage: x, y, z, divided by the projecting component
// where the stage projects.
std::string kaGLSLPixelTexture::ProjectedCoordinate(uint32_t stage) const {
    static const char* const kDivisors[] = {"", "", ".y", ".z", ".w"};
    const uint8_t component = mProjected != nullptr ? mProjected[stage] : 0;
    const std::string coordinate = Coordinate(stage);
    if (component < 2 || component > 4) return coordinate + ".xyz";
    return "(" + coordinate + ".xyz / " + coordinate + kDivisors[component] + ")";
}

// A lookup at stage `stage` with a vec3 coordinate: 2D textures take its
// x and y, cube and volume textures all three.  The stage's mip-level bias
// applies, as it does to every lookup of the stage in Direct3D.
std::string kaGLSLPixelTexture::Sample(uint32_t stage, const std::string& coordinate) {
    const std::string sampler = "vx_Sampler" + Stage(stage);
    const std::string bias = ", vx_MipBias[" + Stage(stage / 4) + "][" + Stage(stage % 4) + "])";
    std::string type;
    std::string lookup = coordinate;
    switch (mKinds[stage]) {
        case kaGLSLTextureKind::Tex2D:
            type = "sampler2D";
            lookup = "(" + coordinate + ").xy";
            break;
        case kaGLSLTextureKind::Cube: type = "samplerCube"; break;
        case kaGLSLTextureKind::Volume: type = "sampler3D"; break;
        case kaGLSLTextureKind::None: return "vec4(0.0, 0.0, 0.0, 1.0)";
    }
    mBuilder.Global("uniform " + type + " " + sampler + ";");
    mBuilder.Global("uniform vec4 vx_MipBias[2];");
    return "texture(" + sampler + ", " + lookup + bias;
}

void kaGLSLPixelTexture::Translate(const kaInstruction& ins) {
    if (mVersion.IsPs14()) {
        Ps14(ins);
    } else {
        Legacy(ins);
    }
}

void kaGLSLPixelTexture::SetTexture(const kaInstruction& ins, const std::string& value) {
    mBuilder.Statement("t" + Stage(ins.dest.reg.index) + " = " + value + ";");
}

void kaGLSLPixelTexture::Kill(const std::string& vector) {
    mBuilder.Statement("if (any(lessThan((" + vector + ").xyz, vec3(0.0)))) discard;");
}

// gl_FragDepth = z / w, 1.0 where w is 0.
void kaGLSLPixelTexture::Depth(const std::string& z, const std::string& w) {
    mBuilder.Statement("gl_FragDepth = " + w + " == 0.0 ? 1.0 : clamp(" + z + " / " + w + ", 0.0, 1.0);");
}

// ps.1.0-1.3: tN registers, stage N, coordinates vx_TexN.
void kaGLSLPixelTexture::Legacy(const kaInstruction& ins) {
    const uint32_t stage = ins.dest.reg.index;
    const std::string coordinate = Coordinate(stage);
    switch (ins.op->opcode) {
        case kOpTex: SetTexture(ins, Sample(stage, ProjectedCoordinate(stage))); break;
        case kOpTexCoord: SetTexture(ins, "clamp(vec4(" + coordinate + ".xyz, 1.0), 0.0, 1.0)"); break;
        case kOpTexKill: Kill(coordinate); break;
        case kOpTexBem:
        case kOpTexBemL: Bump(ins); break;
        case kOpTexReg2AR: SetTexture(ins, Sample(stage, "vec3(" + Source(ins) + ".wx, 0.0)")); break;
        case kOpTexReg2GB: SetTexture(ins, Sample(stage, "vec3(" + Source(ins) + ".yz, 0.0)")); break;
        case kOpTexReg2RGB: SetTexture(ins, Sample(stage, Source(ins) + ".xyz")); break;
        case kOpTexDp3: SetTexture(ins, "vec4(clamp(" + RowDot(ins) + ", -1.0, 1.0))"); break;
        case kOpTexDp3Tex: SetTexture(ins, Sample(stage, "vec3(" + RowDot(ins) + ", 0.0, 0.0)")); break;
        default: MatrixStep(ins); break;
    }
}

// The dot product of stage N's coordinates with the source's colour.
std::string kaGLSLPixelTexture::RowDot(const kaInstruction& ins) {
    return "dot(" + Coordinate(ins.dest.reg.index) + ".xyz, " + Source(ins) + ".xyz)";
}

// texbem(l) tN, tM: stage N's coordinates moved by tM.rg through stage N's
// bump environment matrix; texbeml scales the colour by tM.b's luminance.
void kaGLSLPixelTexture::Bump(const kaInstruction& ins) {
    const uint32_t stage = ins.dest.reg.index;
    const std::string matrix = "vx_BumpMat" + Stage(stage);
    const std::string du = Source(ins);
    const std::string coordinate = Coordinate(stage);
    mBuilder.Global("uniform vec4 " + matrix + ";");
    const std::string moved = "vec3(" + coordinate + ".x + " + matrix + ".x * " + du + ".x + " + matrix + ".z * " + du +
                              ".y, " + coordinate + ".y + " + matrix + ".y * " + du + ".x + " + matrix + ".w * " + du +
                              ".y, " + coordinate + ".z)";
    SetTexture(ins, Sample(stage, moved));
    if (ins.op->opcode != kOpTexBemL) return;
    const std::string luminance = "vx_BumpLum" + Stage(stage);
    mBuilder.Global("uniform vec2 " + luminance + ";");
    const std::string t = "t" + Stage(stage);
    mBuilder.Statement(t + " = clamp(" + t + " * (" + du + ".z * " + luminance + ".x + " + luminance +
                       ".y), -1.0, 1.0);");
}

// texm3x2pad/tex/depth and texm3x3pad/tex/spec/vspec/texm3x3: each row is
// the dot product of its stage's coordinates with the source colour.
void kaGLSLPixelTexture::MatrixStep(const kaInstruction& ins) {
    const uint32_t stage = ins.dest.reg.index;
    mBuilder.Statement("float " + RowName(stage) + " = " + RowDot(ins) + ";");
    const uint16_t opcode = ins.op->opcode;
    if (opcode == kOpTexM3x2Pad || opcode == kOpTexM3x3Pad) {
        mPads.push_back(stage);
        return;
    }
    std::string rows;
    for (uint32_t pad : mPads) rows += RowName(pad) + ", ";
    rows += RowName(stage);
    const std::vector<uint32_t> pads = mPads;
    mPads.clear();
    if (opcode == kOpTexM3x2Tex) {
        SetTexture(ins, Sample(stage, "vec3(" + rows + ", 0.0)"));
    } else if (opcode == kOpTexM3x2Depth) {
        Depth(RowName(pads.front()), RowName(stage));
        SetTexture(ins, "vec4(0.0)");
    } else {
        mBuilder.Statement("vec3 vx_n" + Stage(stage) + " = vec3(" + rows + ");");
        Matrix3x3End(ins, "vx_n" + Stage(stage));
    }
}

// The last row of a texm3x3: the vector itself, a lookup with it, or a
// lookup with the eye vector reflected about it (R = 2 (N.E) / (N.N) N - E;
// texm3x3spec's eye is a constant, texm3x3vspec's the w of the three rows'
// coordinates).
void kaGLSLPixelTexture::Matrix3x3End(const kaInstruction& ins, const std::string& normal) {
    const uint32_t stage = ins.dest.reg.index;
    const uint16_t opcode = ins.op->opcode;
    if (opcode == kOpTexM3x3) {
        SetTexture(ins, "vec4(clamp(" + normal + ", -1.0, 1.0), 1.0)");
        return;
    }
    if (opcode == kOpTexM3x3Tex) {
        SetTexture(ins, Sample(stage, normal));
        return;
    }
    std::string eye = "vec3(" + Coordinate(stage - 2) + ".w, " + Coordinate(stage - 1) + ".w, " + Coordinate(stage) + ".w)";
    if (opcode == kOpTexM3x3Spec) eye = mOperands.Register(ins.sources[1].reg) + ".xyz";
    const std::string e = "vx_e" + Stage(stage);
    mBuilder.Statement("vec3 " + e + " = " + eye + ";");
    SetTexture(ins, Sample(stage, "2.0 * dot(" + normal + ", " + e + ") / dot(" + normal + ", " + normal + ") * " +
                                      normal + " - " + e));
}

// ps.1.4: texld rN samples stage N, texcrd rN copies coordinates, each from
// tM (vx_TexM) or, for texld in phase 2, rM; .xyw selects w as the third
// component, _dw and _dz divide x and y by it.
void kaGLSLPixelTexture::Ps14(const kaInstruction& ins) {
    const uint16_t opcode = ins.op->opcode;
    const std::string dest = "r" + Stage(ins.dest.reg.index);
    if (opcode == kOpTexKill) {
        Kill(ins.dest.reg.kind == kaRegisterKind::Texture ? Coordinate(ins.dest.reg.index) : dest);
        return;
    }
    if (opcode == kOpTexDepth) {
        Depth(dest + ".x", dest + ".y");
        return;
    }
    const kaSourceOperand& src = ins.sources[0];
    const std::string read = src.reg.kind == kaRegisterKind::Texture
                                 ? Coordinate(src.reg.index) + kaGLSLOperands::Swizzle(src.swizzle)
                                 : mOperands.Register(src.reg) + kaGLSLOperands::Swizzle(src.swizzle);
    std::string coordinate = "(" + read + ").xyz";
    const bool divide = src.suffix == kaSourceSuffix::DivideZ || src.suffix == kaSourceSuffix::DivideW;
    if (divide) coordinate = "vec3(" + coordinate + ".xy / " + coordinate + ".z, 1.0)";
    if (opcode == kOpTex) {
        mBuilder.Statement(dest + " = " + Sample(ins.dest.reg.index, coordinate) + ";");
        return;
    }
    const std::string mask = kaGLSLOperands::Mask(ins.dest.mask);
    mBuilder.Statement(dest + mask + " = vec4(" + coordinate + ", 1.0)" + mask + ";");
}
