// Shaders of the kinds the demo loads: the bump-mapping vertex shader, the
// per-pixel lighting pixel shaders of ps.1.1 and the same lighting in ps.1.4.

#include "ShaderAsmTestSupport.h"

namespace {

// Transforms with the matrix in c4-c7 and turns the light vector (light
// position in c16) into tangent space with the normal, tangent and
// binormal that arrive as texture sets 1, 2, 3 (v8, v9, v10); the half
// vector uses the eye position in c17.
const char kBumpVertexShader[] =
    "vs.1.1\n"
    "def c20, 0.5, 0.5, 0.5, 1.0\n"
    "m4x4 oPos, v0, c4          ; clip-space position\n"
    "mov oT0.xy, v7              ; colour and normal map coordinates\n"
    "m4x3 r9, v0, c8             ; world position\n"
    "add r0.xyz, c16, -r9        ; to the light\n"
    "dp3 r1.x, r0, v9\n"
    "dp3 r1.y, r0, v10\n"
    "dp3 r1.z, r0, v8\n"
    "mov oT1.xyz, r1             ; light vector for the normalization cube map\n"
    "add r2.xyz, c17, -r9        ; to the eye\n"
    "dp3 r2.w, r2, r2\n"
    "rsq r2.w, r2.w\n"
    "mul r2.xyz, r2, r2.w\n"
    "dp3 r3.w, r0, r0\n"
    "rsq r3.w, r3.w\n"
    "mad r4.xyz, r0, r3.w, r2    ; half vector\n"
    "dp3 r5.x, r4, v9\n"
    "dp3 r5.y, r4, v10\n"
    "dp3 r5.z, r4, v8\n"
    "mov oT2.xyz, r5\n"
    "mov oT3.xy, v7\n"
    "mov oD0, c20\n";

TEST(DemoShaderTest, BumpVertexShader) {
    const kaShaderAssembly code = AssembleText(kBumpVertexShader);
    ASSERT_TRUE(code.ok) << code.errors;
    EXPECT_EQ(code.defConstants, (Words{0x82000014, 0x3F000000, 0x3F000000, 0x3F000000, 0x3F800000}));
    ASSERT_GE(code.tokens.size(), 9u);
    EXPECT_EQ(Words(code.tokens.begin(), code.tokens.begin() + 9),
              (Words{0xFFFE0101, 0x14, 0xC00F0000, 0x90E40000, 0xA0E40004, 0x01, 0xE0030000, 0x90E40007, 0x15}));
    EXPECT_EQ(code.tokens.back(), 0x0000FFFFu);
    EXPECT_EQ(code.tokens.size(), 1u + 4 + 3 + 4 + 4 + 4 * 3 + 3 + 4 + 4 + 3 + 4 + 4 + 3 + 5 + 4 * 3 + 3 + 3 + 3 + 1);
}

// Diffuse bump lighting: normal map in stage 0, the light vector
// normalized by the cube map in stage 1, colour map in stage 3.
const char kDiffusePixelShader[] =
    "ps.1.1\n"
    "tex t0\n"
    "tex t1\n"
    "tex t3\n"
    "dp3_sat r0, t0_bx2, t1_bx2\n"
    "mad r0.rgb, r0, c1, c0\n"
    "+mov r0.a, t3.a\n"
    "mul r0.rgb, r0, t3\n";

TEST(DemoShaderTest, DiffuseBumpPixelShader) {
    EXPECT_EQ(TokensOf(kDiffusePixelShader),
              (Words{0xFFFF0101, 0x42, 0xB00F0000, 0x42, 0xB00F0001, 0x42, 0xB00F0003,  //
                     0x08, 0x801F0000, 0xB4E40000, 0xB4E40001,                          //
                     0x04, 0x80070000, 0x80E40000, 0xA0E40001, 0xA0E40000,              //
                     0x40000001, 0x80080000, 0xB0FF0003,                                //
                     0x05, 0x80070000, 0x80E40000, 0xB0E40003, 0x0000FFFF}));
}

// Environment reflection through a per-pixel 3x3 matrix (the eye vector
// in the w of the matrix rows) modulated by dp3 bump lighting.
const char kMatrixPixelShader[] =
    "ps.1.1\n"
    "tex t0\n"
    "texm3x3pad t1, t0_bx2\n"
    "texm3x3pad t2, t0_bx2\n"
    "texm3x3vspec t3, t0_bx2\n"
    "dp3_sat r0, t0_bx2, c2_bx2\n"
    "mul r0, r0, t3\n";

TEST(DemoShaderTest, MatrixPixelShader) {
    const std::vector<uint32_t> tokens = TokensOf(kMatrixPixelShader);
    ASSERT_EQ(tokens.size(), 1u + 2 + 3 + 3 + 3 + 4 + 4 + 1);
    EXPECT_EQ(tokens[9], 0x4Du) << "texm3x3vspec";
    EXPECT_EQ(tokens[12], 0x08u);
    EXPECT_EQ(tokens[15], 0xA4E40002u) << "c2_bx2";
}

// The same lighting in ps.1.4: texture coordinates read with texcrd in
// phase 1, the cube map looked up with them in phase 2.
const char kPs14Shader[] =
    "ps.1.4\n"
    "def c3, 0, 0, 1, 1\n"
    "texld r0, t0            ; normal map\n"
    "texcrd r1.rgb, t1       ; light vector\n"
    "dp3 r4.rgb, r1, r1\n"
    "phase\n"
    "texld r1, r1            ; normalized light vector\n"
    "texld r3, t0            ; colour map\n"
    "dp3_sat r2, r0_bx2, r1_bx2\n"
    "mul r0.rgb, r2, r3\n"
    "+mov r0.a, c3.b\n";

TEST(DemoShaderTest, Ps14LightingShader) {
    EXPECT_EQ(TokensOf(kPs14Shader),
              (Words{0xFFFF0104, 0x51, 0xA00F0003, 0, 0, 0x3F800000, 0x3F800000,  //
                     0x42, 0x800F0000, 0xB0E40000,                               //
                     0x40, 0x80070001, 0xB0E40001,                               //
                     0x08, 0x80070004, 0x80E40001, 0x80E40001,                   //
                     0xFFFD,                                                     //
                     0x42, 0x800F0001, 0x80E40001,                               //
                     0x42, 0x800F0003, 0xB0E40000,                               //
                     0x08, 0x801F0002, 0x84E40000, 0x84E40001,                   //
                     0x05, 0x80070000, 0x80E40002, 0x80E40003,                   //
                     0x40000001, 0x80080000, 0xA0AA0003, 0x0000FFFF}));
}

}  // namespace
