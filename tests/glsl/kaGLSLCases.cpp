#include "kaGLSLCases.h"

#include <fstream>
#include <sstream>

#include "kaShaderAssembler.h"

namespace {

using K = kaGLSLTextureKind;

const char kPassThrough[] =
    "vs.1.1\nmov oPos, v0\nmov oD0, v5\nmov oD1, v6\nmov oT0, v7\nmov oT1, v8\nmov oT2, v9\nmov oT3, v10\n"
    "mov oT4, v11\nmov oT5, v12\n";

kaTestTexture Solid(uint8_t r, uint8_t g, uint8_t b, uint8_t a) { return {K::Tex2D, 1, {r, g, b, a}}; }

// 4 x 4 texels, (64 column, 64 row, 200, 255): a lookup shows which texel it took.
kaTestTexture Grid() {
    kaTestTexture texture{K::Tex2D, 4, {}};
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 4; ++column) {
            texture.rgba.insert(texture.rgba.end(), {static_cast<uint8_t>(64 * column), static_cast<uint8_t>(64 * row), 200, 255});
        }
    }
    return texture;
}

// A 1 x 1 cube map with a colour of its own on each face: +X red, -X cyan,
// +Y green, -Y magenta, +Z blue, -Z yellow.
kaTestTexture Faces() {
    return {K::Cube, 1, {255, 0, 0, 255, 0, 255, 255, 255, 0, 255, 0, 255, 255, 0, 255, 255, 0, 0, 255, 255, 255, 255, 0, 255}};
}

kaGLSLCase Pixel(const char* name, const char* source, std::vector<kaVec4> constants, kaVec4 expected) {
    kaGLSLCase c;
    c.name = name;
    c.pixel = source;
    constants.resize(8, kaVec4{0, 0, 0, 0});
    c.draw.pixelConstants = constants;
    c.expected = expected;
    return c;
}

kaGLSLCase Vertex(const char* name, const char* source, std::vector<std::pair<uint32_t, kaVec4>> constants,
                  kaVec4 expected) {
    kaGLSLCase c;
    c.name = name;
    c.vertex = source;
    for (const auto& [index, value] : constants) c.draw.vertexConstants[index] = value;
    c.expected = expected;
    return c;
}

kaGLSLCase CompileOnly(const char* name, const char* source) {
    kaGLSLCase c;
    c.name = name;
    (std::string(source).compare(0, 2, "vs") == 0 ? c.vertex : c.pixel) = source;
    c.numeric = false;
    const K kinds[] = {K::Tex2D, K::Cube, K::Volume, K::Tex2D, K::Cube, K::Tex2D};
    for (uint32_t stage = 0; stage < 6; ++stage) c.draw.textures[stage].kind = kinds[stage];
    return c;
}

// Arithmetic of ps.1.0-1.4: modifiers, ranges, the blends and co-issue.
void AddPixelArithmetic(std::vector<kaGLSLCase>& cases) {
    // (0.9, 0.2, -0.7, 0.5) + 0.6 clamps to (1, 0.8, -0.1, 1); minus 0.6 gives
    // (0.4, 0.2, -0.7, 0.4), not c0 back; the output saturates -0.7 to 0.
    cases.push_back(Pixel("RangeClampAfterEachInstruction", "ps.1.1\nadd r0, c0, c1\nsub r0, r0, c1\n",
                          {{0.9f, 0.2f, -0.7f, 0.5f}, {0.6f, 0.6f, 0.6f, 0.6f}}, {0.4f, 0.2f, 0.0f, 0.4f}));
    // c0_bx2 = (0.5, -0.5, 0, 1); -r0 * 0.5 + (1 - c0) = (0, 1, 0.5, -0.5);
    // + c0_bias (0.25, -0.25, 0, 0.5), halved: (0.125, 0.375, 0.25, 0).
    cases.push_back(Pixel("SourceAndInstructionModifiers",
                          "ps.1.1\nmov r0, c0_bx2\nmad r0, -r0, c1, 1-c0\nadd_d2 r0, r0, c0_bias\n",
                          {{0.75f, 0.25f, 0.5f, 1.0f}, {0.5f, 0.5f, 0.5f, 0.5f}}, {0.125f, 0.375f, 0.25f, 0.0f}));
    // _x4 of 0.3 is 1.2: clamped to 1 in ps.1.1, kept in ps.1.4 (range 8)
    // until _d4 brings it back; _sat cuts -0.4 to 0.
    cases.push_back(Pixel("Ps11RangeIsOne", "ps.1.1\nmul_x4 r0, c0, c1\nmul r0, r0, c2\n",
                          {{0.3f, 0.3f, 0.3f, 0.3f}, {1, 1, 1, 1}, {0.5f, 0.5f, 0.5f, 0.5f}}, {0.5f, 0.5f, 0.5f, 0.5f}));
    cases.push_back(Pixel("Ps14RangeIsEight", "ps.1.4\nmul_x4 r0, c0, c1\nmul_d4 r0, r0, c2\nadd_sat r0.a, r0, c3\n",
                          {{0.3f, 0.3f, 0.3f, 0.3f}, {1, 1, 1, 1}, {0.5f, 0.5f, 0.5f, 0.5f}, {0, 0, 0, -0.55f}},
                          {0.15f, 0.15f, 0.15f, 0.0f}));
    // Pixel shader constants are clamped to [-1, 1] when read, def values too.
    cases.push_back(Pixel("ConstantsClampToOne", "ps.1.1\ndef c1, 2, 0.5, -3, 1\nmul r0, c0, c1\n",
                          {{4.0f, 0.5f, -1.0f, 0.5f}}, {1.0f, 0.25f, 1.0f, 0.5f}));
    // cnd before ps.1.4 compares r0.a alone: 0.6 takes c1, exactly 0.5 takes c2.
    cases.push_back(Pixel("CndReadsR0AlphaBeforePs14",
                          "ps.1.1\nmov r0, c0\ncnd r1, r0.a, c1, c2\nmov r0.a, c3\ncnd r0, r0.a, c1, c2\nadd r0.rgb, r0, r1\n",
                          {{0.1f, 0.2f, 0.3f, 0.6f}, {0.25f, 0, 0, 0.25f}, {0, 0.5f, 0, 0.75f}, {0, 0, 0, 0.5f}},
                          {0.25f, 0.5f, 0.0f, 0.75f}));
    cases.push_back(Pixel("CndPerComponentInPs14", "ps.1.4\nmov r1, c2\ncnd r0, c0, c1, r1\n",
                          {{0.6f, 0.5f, 0.4f, 1.0f}, {0.75f, 0.75f, 0.75f, 0.75f}, {0.25f, 0.25f, 0.25f, 0.25f}},
                          {0.75f, 0.25f, 0.25f, 0.75f}));
    // cmp takes src1 where src0 >= 0, so 0 takes it and -0.01 does not.
    cases.push_back(Pixel("CmpAtZero", "ps.1.2\nmov r1, c2\ncmp r0, c0, c1, r1\n",
                          {{0.0f, -0.01f, 0.5f, -1.0f}, {0.75f, 0.75f, 0.75f, 0.75f}, {0.25f, 0.25f, 0.25f, 0.25f}},
                          {0.75f, 0.25f, 0.75f, 0.25f}));
    // lrp: c2 + c0 (c1 - c2).
    cases.push_back(Pixel("Lrp", "ps.1.1\nmov r1, c2\nlrp r0, c0, c1, r1\n",
                          {{0, 1, 0.25f, 0.5f}, {0.8f, 0.8f, 0.8f, 0.8f}, {0.4f, 0.4f, 0.4f, 0.4f}}, {0.4f, 0.8f, 0.5f, 0.6f}));
    // The alpha half of a pair reads r0.b as it was before the colour half wrote it.
    cases.push_back(Pixel("CoIssuedPairReadsBeforeWriting", "ps.1.1\nmov r0, c0\nmov r0.rgb, c1\n+mov r0.a, r0.b\n",
                          {{0.1f, 0.2f, 0.3f, 0.4f}, {0.5f, 0.6f, 0.7f, 0.8f}}, {0.5f, 0.6f, 0.7f, 0.3f}));
    // dp3 fills alpha too; dp4 (ps.1.2) reads all four.
    cases.push_back(Pixel("DotProducts", "ps.1.2\ndp3 r0, c0, c1\ndp4 r1, c0, c1\nmov r0.a, r1\n",
                          {{0.5f, 0.25f, 0.5f, 1.0f}, {0.5f, 0.5f, 0.25f, 0.25f}}, {0.5f, 0.5f, 0.5f, 0.75f}));
}

// Texture addressing: bump mapping, the reflection of texm3x3vspec, ps.1.4.
void AddPixelTexture(std::vector<kaGLSLCase>& cases) {
    // t0 = (191, 64)/255 = (0.749, 0.251); u' = 0.125 + 0.6 * 0.749 + 1.0 * 0.251
    // = 0.825 (column 3), v' = 0.125 + 0 + 0 = 0.125 (row 0).
    kaGLSLCase bem = Pixel("TexbemMovesTheLookup", "ps.1.1\ntex t0\ntexbem t1, t0\nmov r0, t1\n", {},
                           {192 / 255.0f, 0.0f, 200 / 255.0f, 1.0f});
    bem.draw.textures = {{0, Solid(191, 64, 0, 255)}, {1, Grid()}};
    bem.draw.attributes = {{8, {0.125f, 0.125f, 0, 1}}};
    bem.draw.bumpMatrices = {{1, {0.6f, 0.0f, 1.0f, 0.0f}}};
    bem.tolerance = 1e-3f;
    cases.push_back(bem);
    // texbeml: the same lookup times t0.b * scale + offset = 0.5 * 1 + 0.25.
    kaGLSLCase beml = bem;
    beml.name = "TexbemlScalesByLuminance";
    beml.pixel = "ps.1.1\ntex t0\ntexbeml t1, t0\nmov r0, t1\n";
    beml.draw.textures[0] = Solid(191, 64, 128, 255);
    beml.draw.bumpLuminance = {{1, {0.5f / (128 / 255.0f), 0.25f, 0, 0}}};
    beml.expected = {0.75f * 192 / 255.0f, 0.0f, 0.75f * 200 / 255.0f, 0.75f};
    cases.push_back(beml);
    // N = t0_bx2 = (1, 1/255, 1/255) through the identity rows t1-t3; the eye
    // E = (0.5, 1, 0) from the rows' w.  R = 2 (N.E)/(N.N) N - E
    // = (0.508, -0.996, 0.004): the -Y face, magenta.
    kaGLSLCase vspec = Pixel("Texm3x3vspecReflectsTheEye",
                             "ps.1.1\ntex t0\ntexm3x3pad t1, t0_bx2\ntexm3x3pad t2, t0_bx2\ntexm3x3vspec t3, t0_bx2\n"
                             "mov r0, t3\n",
                             {}, {1, 0, 1, 1});
    vspec.draw.textures = {{0, Solid(255, 128, 128, 255)}, {3, Faces()}};
    vspec.draw.attributes = {{8, {1, 0, 0, 0.5f}}, {9, {0, 1, 0, 1}}, {10, {0, 0, 1, 0}}};
    cases.push_back(vspec);
    // The same rows with texm3x3tex look up N itself: +X, red.
    kaGLSLCase tex3 = vspec;
    tex3.name = "Texm3x3texLooksUpTheVector";
    tex3.pixel = "ps.1.1\ntex t0\ntexm3x3pad t1, t0_bx2\ntexm3x3pad t2, t0_bx2\ntexm3x3tex t3, t0_bx2\nmov r0, t3\n";
    tex3.expected = {1, 0, 0, 1};
    cases.push_back(tex3);
    // ps.1.4: texcrd copies t1, texld with _dw divides x, y by w:
    // (0.45, 0.3)/0.5 = (0.9, 0.6) is column 3, row 2 of the grid at stage 2.
    kaGLSLCase ps14 = Pixel("Ps14TexcrdAndProjectedTexld",
                            "ps.1.4\ntexcrd r1.rgb, t1\ntexld r2, t2_dw.xyw\nmul r0.rgb, r2, r1\n+mov r0.a, r1.b\n", {},
                            {0.5f * 192 / 255.0f, 0.25f * 128 / 255.0f, 200 / 255.0f, 1.0f});
    ps14.draw.textures = {{2, Grid()}};
    ps14.draw.attributes = {{8, {0.5f, 0.25f, 1.0f, 7}}, {9, {0.45f, 0.3f, 9, 0.5f}}};
    ps14.tolerance = 1e-3f;
    cases.push_back(ps14);
    // bem r2.rg: r2 (0.125, 0.125) + (0.75, 0.25) through stage 2's matrix
    // (M00 0.6, M10 1.0) = (0.825, 0.125), then the dependent texld in phase 2
    // finds column 3, row 0.
    kaGLSLCase bemPs14 = Pixel("Ps14BemFeedsTheDependentRead",
                               "ps.1.4\ntexcrd r2.rgb, t0\ntexcrd r1.rgb, t1\nbem r2.rg, r2, r1\nphase\n"
                               "texld r2, r2\nmov r0, r2\n",
                               {}, {192 / 255.0f, 0.0f, 200 / 255.0f, 1.0f});
    bemPs14.draw.textures = {{2, Grid()}};
    bemPs14.draw.attributes = {{7, {0.125f, 0.125f, 0, 1}}, {8, {0.75f, 0.25f, 0, 1}}};
    bemPs14.draw.bumpMatrices = {{2, {0.6f, 0.0f, 1.0f, 0.0f}}};
    bemPs14.tolerance = 1e-3f;
    cases.push_back(bemPs14);
    // texcoord clamps the coordinate to [0, 1] and sets alpha to 1.
    kaGLSLCase texcoord = Pixel("TexcoordClampsToColour", "ps.1.1\ntexcoord t0\nmov r0, t0\n", {}, {1, 0.25f, 0, 1});
    texcoord.draw.attributes = {{7, {1.5f, 0.25f, -2, 0}}};
    cases.push_back(texcoord);
    // Colours arrive clamped to [0, 1]: (1, 0, 0.25, 0.5) + (0, 1, 0, 0.75).
    kaGLSLCase colour = Pixel("ColoursClampToZeroOne", "ps.1.1\nadd r0, v0, v1\n", {}, {1, 1, 0.25f, 1});
    colour.draw.attributes = {{5, {2, -1, 0.25f, 0.5f}}, {6, {0, 1.5f, 0, 0.75f}}};
    cases.push_back(colour);
}

// vs.1.1: the special functions, the address register, the macros.
void AddVertex(std::vector<kaGLSLCase>& cases) {
    cases.push_back(Vertex("ExppAndLogp", "vs.1.1\nmov oPos, v0\nexpp r0, c0.x\nlogp r1, c0.y\nadd oT0, r0, r1\n",
                           {{0, {2.5f, -10, 0, 0}}},
                           // expp 2.5: (4, 0.5, 2^2.5 = 0x40B504F3 cut to 0x40B50400, 1);
                           // logp |-10|: (exponent 3, mantissa 1.25, log2 10 = 0x40549A78 cut
                           // to 0x40549A00, 1).
                           {4 + 3, 0.5f + 1.25f, 5.65673828125f + 3.3218994140625f, 2}));
    // logp 0 is (-FLT_MAX, 1, -FLT_MAX, 1), scaled by 1e-30 before interpolation.
    cases.push_back(Vertex("LogpOfZero", "vs.1.1\nmov oPos, v0\nlogp r0, c0.x\nmul oT0, r0, c1\n",
                           {{1, {1e-30f, 1, 1e-30f, 1}}}, {-3.402823466e8f, 1, -3.402823466e8f, 1}));
    // rcp 0 and rsq 0 are +infinity (cut to 1e30 here, as infinities do not
    // survive interpolation); rsq takes |x|.
    cases.push_back(Vertex("RcpAndRsqOfZeroAndNegatives",
                           "vs.1.1\nmov oPos, v0\nrcp r0.x, c0.x\nrcp r0.y, c0.y\nrsq r0.z, c0.y\nrsq r0.w, c0.z\n"
                           "min oT0, r0, c1\n",
                           {{0, {0, -4, 0, 0}}, {1, {1e30f, 1e30f, 1e30f, 1e30f}}}, {1e30f, -0.25f, 0.5f, 1e30f}));
    // log 0 is -FLT_MAX (not -infinity), scaled by 1e-30 before interpolation.
    cases.push_back(Vertex("ExpLogAndLogOfZero",
                           "vs.1.1\nmov oPos, v0\nexp r0.x, c0.z\nlog r0.y, c0.w\nlog r0.z, c0.x\nmov r0.w, c0.x\n"
                           "mul oT0, r0, c1\n",
                           {{0, {0, 0, 2, -3}}, {1, {1, 1, 1e-30f, 1}}}, {4, 1.5849625f, -3.402823466e8f, 0}));
    // lit: (1, N.L, (N.H)^power, 1) when N.L > 0; no specular for N.H <= 0.
    cases.push_back(Vertex("Lit", "vs.1.1\nmov oPos, v0\nlit r0, c0\nlit r1, c1\nlit r2, c2\nmad r0, r1, c3, r0\nmad oT0, r2, c4, r0\n",
                           {{0, {0.5f, 0.8f, 0, 2}}, {1, {-0.5f, 0.8f, 0, 2}}, {2, {0.5f, -0.1f, 0, 2}},
                            {3, {10, 10, 10, 10}}, {4, {100, 100, 100, 100}}},
                           // (1, 0.5, 0.64, 1) + 10 (1, 0, 0, 1) + 100 (1, 0.5, 0, 1)
                           {111, 50.5f, 0.64f, 111}));
    // a0 = floor: -0.4 gives -1 (c[a0.x + 5] is c4), 1.6 gives 1 (c[a0.x + 10]
    // is c11); rounding to nearest would read c5 and c12.
    cases.push_back(Vertex("AddressRegisterFloors",
                           "vs.1.1\nmov oPos, v0\nmov a0.x, c0.x\nmov r0, c[a0.x + 5]\nmov a0.x, c0.y\n"
                           "add oT0, r0, c[10 + a0.x]\n",
                           {{0, {-0.4f, 1.6f, 0, 0}}, {4, {0.1f, 0.2f, 0.3f, 0.4f}}, {5, {10, 10, 10, 10}},
                            {11, {1, 2, 3, 4}}, {12, {100, 100, 100, 100}}},
                           {1.1f, 2.2f, 3.3f, 4.4f}));
    // frc (x, y), sge, slt, dst, m3x2 into a masked register.
    cases.push_back(Vertex("FrcSgeSlt", "vs.1.1\nmov oPos, v0\nfrc r0.xy, c0\nsge r0.z, c0.z, c0.w\nslt r0.w, c0.y, c0.x\nmov oT0, r0\n",
                           {{0, {1.75f, -1.25f, 2, 3}}}, {0.75f, 0.75f, 0, 1}));
    // dst (1, 2 * 4, 3, 5); m3x2 of (1, 2, 3, 4) with rows (1, 0, 0) and (0, 0, 1).
    cases.push_back(Vertex("DstAndM3x2",
                           "vs.1.1\nmov oPos, v0\nmov r1, c1\ndst r0, c0, r1\nmov r2, c2\nm3x2 r3.xy, r2, c3\n"
                           "mov r0.zw, r3.xxxy\nmov oT0, r0\n",
                           {{0, {9, 2, 3, 9}}, {1, {9, 4, 9, 5}}, {2, {1, 2, 3, 4}}, {3, {1, 0, 0, 9}}, {4, {0, 0, 1, 9}}},
                           {1, 8, 1, 3}));
    // Outputs keep their defaults where the shader does not write them.
    kaGLSLCase defaults = Vertex("UnwrittenOutputsKeepDefaults", "vs.1.1\nmov oPos, v0\nmov oT1.y, c0\n", {{0, {5, 6, 7, 8}}},
                                 {0, 6, 0, 1});
    defaults.probe = "vx_Tex1 + vec4(0.0, 0.0, 0.0, vx_Color0.x + vx_Fog - 2.0)";
    cases.push_back(defaults);
}

// Shaders that every instruction and modifier the assembler accepts appears
// in, checked by compiling their translations.
void AddCompileOnly(std::vector<kaGLSLCase>& cases) {
    cases.push_back(CompileOnly("Ps10", "ps.1.0\ntex t0\ntexcoord t1\ntexkill t2\nadd_x4 r0.rgb, t0, -v0_bias\n+mul_sat r0.a, 1-t1, v0\nnop\n"));
    cases.push_back(CompileOnly("Ps11Texture", "ps.1.1\ntex t0\ntexreg2ar t1, t0\ntexreg2gb t2, t0\ntexbeml t3, t2\n"
                                               "mad_x2 r0.rgb, t1_bx2, -t2_bx2, -c1\n+sub_d2 r0.a, t3.b, c0.a\nmul r1, t0.a, v1\n"));
    cases.push_back(CompileOnly("Ps11Matrix2", "ps.1.1\ntex t0\ntexm3x2pad t1, t0_bx2\ntexm3x2tex t2, t0_bx2\ntexcoord t3\n"
                                               "mov r0, t2\n"));
    cases.push_back(CompileOnly("Ps11Spec", "ps.1.1\ntex t0\ntexm3x3pad t1, t0_bx2\ntexm3x3pad t2, t0_bx2\n"
                                            "texm3x3spec t3, t0_bx2, c0\nmul r0, t3, t0.a\n"));
    cases.push_back(CompileOnly("Ps12", "ps.1.2\ntex t0\ntexdp3 t1, t0_bx2\ntexdp3tex t2, t0\ntexreg2rgb t3, t0\n"
                                        "cmp r0, t1, t2, t3\ndp4 r1, t0, c0\nmov r0.a, r1.b\n"));
    cases.push_back(CompileOnly("Ps13", "ps.1.3\ntex t0\ntexm3x3pad t1, t0\ntexm3x3pad t2, t0\ntexm3x3 t3, t0\n"
                                        "mov r0, t3\n"));
    cases.push_back(CompileOnly("Ps13Depth", "ps.1.3\ntex t0\ntexm3x2pad t1, t0_bx2\ntexm3x2depth t2, t0_bx2\nmov r0, t0\n"));
    cases.push_back(CompileOnly("Ps14Phases", "ps.1.4\ndef c0, 0.5, -1, 1e-3, 8\ntexld r0, t0\ntexcrd r1.rgb, t1.xyw\n"
                                              "bem r2.rg, r0, r1\nphase\ntexld r2, r1\ntexld r3, r1_dz\ntexld r4, t4\n"
                                              "texkill r1\ntexkill t5\ntexdepth r5\nmul_x8 r0.rb, r2_x2, -r3_x2.g\n"
                                              "+lrp_d8_sat r0.a, c0.r, r4, v1.a\ncnd r1, r0, 1-v0, r2_bias\n"));
    cases.push_back(CompileOnly("VertexOutputs", "vs.1.0\nm4x4 oPos, v0, c0\nm3x3 r0.xyz, v3, c4\nm3x4 oT0, v7, c8\n"
                                                 "m4x3 r1.xyz, v1, c12\nmov oFog, v0.z\nmov oPts.x, c16.w\nmul oD1, -r0.xyzz, r1.xyzx\n"
                                                 "max oT7.xw, r1.zzyx, c17\nsub oT6, -v15, c95\ndp4 oT5.x, v2, c18\nnop\n"));
    cases.push_back(CompileOnly("VertexRelative", "vs.1.1\nmov a0.x, v1.x\nm4x4 oPos, v0, c[a0.x + 90]\nmov oT0, -c[a0.x]\n"));
}

// The demo's own shaders with the inputs the renderer gives them: the
// transforms in c4-c7 and c8-c11 (here the world matrix puts every vertex at
// one point, so that the lighting vectors are the same all over the quad),
// light and eye in c16 and c17; stage 0 the normal map, stages 1 and 2 the
// normalization cube map, stage 3 the colour map; c0 ambient, c1 light.
void AddMedia(std::vector<kaGLSLCase>& cases) {
    const std::vector<std::pair<uint32_t, kaVec4>> transforms = {
        {4, {1, 0, 0, 0}}, {5, {0, 1, 0, 0}}, {6, {0, 0, 1, 0}}, {7, {0, 0, 0, 1}}};
    // World point (1, 2, 3), light (1, 2, 7), eye (4, 2, 3): to the light
    // (0, 0, 4), to the eye (1, 0, 0) normalized, half vector (0, 0, 1) + (1, 0, 0).
    // Tangent space (tangent v9, binormal v10, normal v8) = (y, z, x):
    // light (0, 4, 0), half (0, 1, 1).
    kaGLSLCase bump = Vertex("MediaVertexLightVector", "", transforms, {0, 4, 0, 1});
    bump.vertex = kaReadMediaShader("vertex.vsh");
    for (const auto& [index, value] : std::vector<std::pair<uint32_t, kaVec4>>{
             {8, {0, 0, 0, 1}}, {9, {0, 0, 0, 2}}, {10, {0, 0, 0, 3}}, {16, {1, 2, 7, 1}}, {17, {4, 2, 3, 1}}}) {
        bump.draw.vertexConstants[index] = value;
    }
    bump.draw.attributes = {{7, {0.25f, 0.75f, 0, 0}}, {8, {1, 0, 0, 0}}, {9, {0, 1, 0, 0}}, {10, {0, 0, 1, 0}}};
    bump.probe = "vx_Tex1";
    cases.push_back(bump);
    bump.name = "MediaVertexHalfVector";
    bump.probe = "vx_Tex2";
    bump.expected = {0, 1, 1, 1};
    cases.push_back(bump);
    bump.name = "MediaVertexMapCoordinates";
    bump.probe = "vx_Tex0 + vx_Tex3";
    bump.expected = {0.5f, 1.5f, 0, 2};
    cases.push_back(bump);
    // Atten.vsh: (point - light) * 1e-4 (its def c20) + 0.5 for the world
    // point (1000, 2000, 3000) and the light at 0.
    kaGLSLCase atten = Vertex("MediaAttenuationCoordinates", "", transforms, {0.6f, 0.7f, 0.8f, 1});
    atten.vertex = kaReadMediaShader("Atten.vsh");
    atten.draw.vertexConstants[8] = {0, 0, 0, 1000};
    atten.draw.vertexConstants[9] = {0, 0, 0, 2000};
    atten.draw.vertexConstants[10] = {0, 0, 0, 3000};
    atten.probe = "vec4(vx_Tex0.xy, vx_Tex1.xw)";
    cases.push_back(atten);
    // SkyBox.vsh moves the box by c12; the matrix here moves it back, so the
    // quad still covers the target.
    kaGLSLCase sky = Vertex("MediaSkyBoxVertex", "",
                            {{4, {1, 0, 0, -0.25f}}, {5, {0, 1, 0, -0.5f}}, {6, {0, 0, 1, 0}}, {7, {0, 0, 0, 1}},
                             {12, {0.25f, 0.5f, 0, 0}}},
                            {0.25f, 0.75f, 0, 1});
    sky.vertex = kaReadMediaShader("SkyBox.vsh");
    sky.draw.attributes = {{7, {0.25f, 0.75f, 0, 0}}};
    cases.push_back(sky);
    kaGLSLCase flat = Vertex("MediaVertex2d", "", transforms, {1.125f, 1.5f, 1, 2});
    flat.vertex = kaReadMediaShader("vertex2d.vsh");
    flat.draw.attributes = {{7, {0.125f, 0.5f, 0, 0}}};
    flat.probe = "vx_Tex0 + vx_Color0";
    cases.push_back(flat);

    // Normal (255, 128, 128) and light (191, 128, 128) through _bx2: N.L =
    // 0.498070; times c1 (0.5, 1, 0.25) plus c0 (0.25, 0, 0.5), times the colour
    // (128, 255, 64) / 255, alpha 200 / 255.
    kaTestTexture light{K::Cube, 1, std::vector<uint8_t>(24, 0)};
    light.rgba[0] = 191, light.rgba[1] = 128, light.rgba[2] = 128, light.rgba[3] = 255;
    kaGLSLCase diffuse = Pixel("MediaDiffuse", "", {{0.25f, 0, 0.5f, 1}, {0.5f, 1, 0.25f, 1}},
                               {0.250496f, 0.498070f, 0.156742f, 0.784314f});
    diffuse.pixel = kaReadMediaShader("DiffCM.psh");
    diffuse.draw.textures = {{0, Solid(255, 128, 128, 255)}, {1, light}, {2, light}, {3, Solid(128, 255, 64, 200)}};
    diffuse.draw.attributes = {{8, {1, 0.2f, 0.1f, 1}}, {9, {1, 0, 0, 1}}};
    diffuse.tolerance = 1e-3f;
    cases.push_back(diffuse);
    // The same plus (N.H)^8 = 0.498070^8 = 0.003787 times its def c2 (0.6, 0.6, 0.55).
    kaGLSLCase specular = diffuse;
    specular.name = "MediaDiffuseSpecular";
    specular.pixel = kaReadMediaShader("DiffSpecCM.psh");
    specular.expected = {0.252768f, 0.500342f, 0.158825f, 0.784314f};
    cases.push_back(specular);
    kaGLSLCase skyPixel = Pixel("MediaSkyBoxPixel", "", {}, {128 / 255.0f, 64 / 255.0f, 200 / 255.0f, 1});
    skyPixel.pixel = kaReadMediaShader("SkyBox.psh");
    skyPixel.draw.textures = {{0, Grid()}};
    skyPixel.draw.attributes = {{7, {0.6f, 0.3f, 0, 1}}};
    skyPixel.tolerance = 1e-3f;
    cases.push_back(skyPixel);
    // Render2d: the texel times the vertex colour (whose 2 arrives as 1).
    kaGLSLCase picture = Pixel("MediaPicture", "", {}, {100 / 255.0f, 100 / 255.0f, 50 / 255.0f, 0.5f});
    picture.pixel = kaReadMediaShader("Render2d.psh");
    picture.draw.textures = {{0, Solid(200, 100, 50, 255)}};
    picture.draw.attributes = {{5, {0.5f, 1, 2, 0.5f}}};
    picture.tolerance = 1e-3f;
    cases.push_back(picture);
    kaGLSLCase falloff = Pixel("MediaAttenuationPixel", "", {},
                               {128 / 255.0f, 128 * 128 / 65025.0f, 64 / 255.0f, 128 / 255.0f});
    falloff.pixel = kaReadMediaShader("Atten.psh");
    falloff.draw.textures = {{0, Solid(255, 128, 64, 255)}, {1, Solid(128, 128, 255, 128)}};
    falloff.tolerance = 1e-3f;
    cases.push_back(falloff);
}

}  // namespace

const std::vector<kaGLSLCase>& kaGLSLCases() {
    static const std::vector<kaGLSLCase> cases = [] {
        std::vector<kaGLSLCase> all;
        AddPixelArithmetic(all);
        AddPixelTexture(all);
        AddVertex(all);
        AddCompileOnly(all);
        AddMedia(all);
        return all;
    }();
    return cases;
}

std::string kaReadMediaShader(const std::string& name) {
    std::ifstream in(std::string(VX_MEDIA_SHADER_DIR) + "/" + name);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

kaGLSLSource kaTranslateSource(const std::string& source, const kaGLSLTextureKind* kinds, kaGLSLDialect dialect,
                               std::vector<uint32_t>* defConstants) {
    const kaShaderAssembly code = kaShaderAssembler::Assemble(source.data(), source.size(), "case");
    if (!code.ok) return kaGLSLSource{false, "", code.errors};
    if (defConstants != nullptr) *defConstants = code.defConstants;
    const bool pixel = (code.tokens[0] >> 16) == 0xFFFF;
    return pixel ? kaTranslatePixelShader(code.tokens.data(), code.tokens.size(), kinds, dialect)
                 : kaTranslateVertexShader(code.tokens.data(), code.tokens.size(), dialect);
}

kaTranslatedPair kaTranslateCase(const kaGLSLCase& c, kaGLSLDialect dialect) {
    kaGLSLTextureKind kinds[kaGLSLStageCount] = {};
    for (const auto& [stage, texture] : c.draw.textures) kinds[stage] = texture.kind;
    kaTranslatedPair pair;
    const kaGLSLSource vertex =
        kaTranslateSource(c.vertex.empty() ? kPassThrough : c.vertex, kinds, dialect, &pair.defConstants);
    pair.vertexText = vertex.text;
    pair.error = vertex.error;
    if (c.pixel.empty()) {
        const kaGLSLSource stand = kaTranslateSource("ps.1.1\nmov r0, v0\n", kinds, dialect);
        const size_t body = stand.text.find("vec4 vx_ShadePixel()");
        pair.pixelText = stand.text.substr(0, body) + "vec4 vx_ShadePixel() {\n    return " + c.probe + ";\n}\n";
        pair.ok = vertex.ok && stand.ok;
        return pair;
    }
    const kaGLSLSource pixel = kaTranslateSource(c.pixel, kinds, dialect);
    pair.pixelText = pixel.text;
    pair.error += pixel.error;
    pair.ok = vertex.ok && pixel.ok;
    return pair;
}
