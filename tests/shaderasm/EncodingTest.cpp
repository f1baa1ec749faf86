// Token streams checked word by word against encodings worked out by hand
// from the Direct3D 8 token format: parameter tokens have bit 31 set, the
// register type in bits 28-30, the number in the low bits; destinations
// carry the write mask in bits 16-19, _sat in bit 20 and the scale in bits
// 24-27; sources carry the swizzle in bits 16-23 and the modifier in bits
// 24-27.

#include "ShaderAsmTestSupport.h"

namespace {

TEST(EncodingTest, VersionTokensAndEndToken) {
    EXPECT_EQ(TokensOf("vs.1.0\nmov oPos, v0"), (Words{0xFFFE0100, 0x00000001, 0xC00F0000, 0x90E40000, 0x0000FFFF}));
    EXPECT_EQ(TokensOf("vs.1.1\nmov oPos, v0")[0], 0xFFFE0101u);
    for (unsigned minor = 0; minor <= 4; ++minor) {
        const std::string text = "ps.1." + std::to_string(minor) + "\nmov r0, v0\n";
        EXPECT_EQ(TokensOf(text), (Words{0xFFFF0100 | minor, 0x00000001, 0x800F0000, 0x90E40000, 0x0000FFFF}));
    }
}

TEST(EncodingTest, VertexMasksSwizzlesAndNegation) {
    EXPECT_EQ(VsBody("mov r0.xz, -v1.wzyx"), (Words{0x00000001, 0x80050000, 0x911B0001}));
    // A short swizzle repeats its last component: .xy reads x, y, y, y.
    EXPECT_EQ(VsBody("mov r1.w, v1.xy"), (Words{0x00000001, 0x80080001, 0x90540001}));
    EXPECT_EQ(VsBody("mov r2, c3.rgba"), (Words{0x00000001, 0x800F0002, 0xA0E40003}));
}

TEST(EncodingTest, VertexOutputRegisters) {
    EXPECT_EQ(VsBody("mov oFog.x, v0.z"), (Words{0x00000001, 0xC0010001, 0x90AA0000}));
    EXPECT_EQ(VsBody("mov oPts, v4"), (Words{0x00000001, 0xC00F0002, 0x90E40004}));
    EXPECT_EQ(VsBody("mov oD1, v6"), (Words{0x00000001, 0xD00F0001, 0x90E40006}));
    EXPECT_EQ(VsBody("mov oT7.xy, v14"), (Words{0x00000001, 0xE0030007, 0x90E4000E}));
}

TEST(EncodingTest, AddressRegisterAndRelativeAddressing) {
    EXPECT_EQ(VsBody("mov a0.x, v1.x\nmov r0, c[a0.x + 7]\nmov r1, c[a0.x]\nmov r2, c[12 + a0.x]\nmov r3, c[5]"),
              (Words{0x00000001, 0xB0010000, 0x90000001,  //
                     0x00000001, 0x800F0000, 0xA0E42007,  //
                     0x00000001, 0x800F0001, 0xA0E42000,  //
                     0x00000001, 0x800F0002, 0xA0E4200C,  //
                     0x00000001, 0x800F0003, 0xA0E40005}));
}

TEST(EncodingTest, VertexArithmeticAndMacroOpcodes) {
    EXPECT_EQ(VsBody("mov r1, v1\nmad r0, v0, c1, -r1\nadd r2, r0, c0\nsub r3, r0, c0\nmul r4, r0, c0"),
              (Words{0x01, 0x800F0001, 0x90E40001, 0x04, 0x800F0000, 0x90E40000, 0xA0E40001, 0x81E40001,
                     0x02, 0x800F0002, 0x80E40000, 0xA0E40000, 0x03, 0x800F0003, 0x80E40000, 0xA0E40000,
                     0x05, 0x800F0004, 0x80E40000, 0xA0E40000}));
    EXPECT_EQ(VsBody("m4x4 r0, v0, c4\nm3x2 r1.xy, v1, c8\nexp r2, v2.w\nlogp r3, v3.x\nfrc r4.xy, v4\n"
                     "lit r5, v5\ndst r6, r0, c1\nsge r7, v0, c1\nslt r8, r0, -c2.x\nrsq r9, v0.w\n"
                     "rcp r10.x, r0.y\nmin r11, r0, c0\nmax r11, r0, c0\ndp4 r0.x, v0, c0\nnop"),
              (Words{0x14, 0x800F0000, 0x90E40000, 0xA0E40004,  //
                     0x18, 0x80030001, 0x90E40001, 0xA0E40008,  //
                     0x0E, 0x800F0002, 0x90FF0002,              //
                     0x4F, 0x800F0003, 0x90000003,              //
                     0x13, 0x80030004, 0x90E40004,              //
                     0x10, 0x800F0005, 0x90E40005,              //
                     0x11, 0x800F0006, 0x80E40000, 0xA0E40001,  //
                     0x0D, 0x800F0007, 0x90E40000, 0xA0E40001,  //
                     0x0C, 0x800F0008, 0x80E40000, 0xA1000002,  //
                     0x07, 0x800F0009, 0x90FF0000,              //
                     0x06, 0x8001000A, 0x80550000,              //
                     0x0A, 0x800F000B, 0x80E40000, 0xA0E40000,  //
                     0x0B, 0x800F000B, 0x80E40000, 0xA0E40000,  //
                     0x09, 0x80010000, 0x90E40000, 0xA0E40000,  //
                     0x00}));
}

TEST(EncodingTest, VertexDefBecomesConstantDeclarationTokens) {
    const kaShaderAssembly code = AssembleText("vs.1.1\ndef c5, 1.0, -2, .5, 0.25f\ndef c95, 0, 0, 0, 1e1\nmov oPos, c5");
    ASSERT_TRUE(code.ok) << code.errors;
    EXPECT_EQ(code.tokens, (Words{0xFFFE0101, 0x00000001, 0xC00F0000, 0xA0E40005, 0x0000FFFF}));
    EXPECT_EQ(code.defConstants, (Words{0x82000005, 0x3F800000, 0xC0000000, 0x3F000000, 0x3E800000,  //
                                        0x8200005F, 0x00000000, 0x00000000, 0x00000000, 0x41200000}));
}

TEST(EncodingTest, PixelDefStaysInTheTokenStream) {
    const kaShaderAssembly code = AssembleText("ps.1.1\ndef c2, 1, 0, 0.5, -1\nmov r0, c2");
    ASSERT_TRUE(code.ok) << code.errors;
    EXPECT_TRUE(code.defConstants.empty());
    EXPECT_EQ(code.tokens, (Words{0xFFFF0101, 0x51, 0xA00F0002, 0x3F800000, 0x00000000, 0x3F000000, 0xBF800000,
                                  0x01, 0x800F0000, 0xA0E40002, 0x0000FFFF}));
}

TEST(EncodingTest, InstructionModifiers) {
    EXPECT_EQ(PsBody("ps.1.1", "add_x2_sat r0, v0, v1\nmul_x4 r1, v0, v1\nsub_d2 r0, r0, r1"),
              (Words{0x02, 0x811F0000, 0x90E40000, 0x90E40001,  //
                     0x05, 0x820F0001, 0x90E40000, 0x90E40001,  //
                     0x03, 0x8F0F0000, 0x80E40000, 0x80E40001}));
    EXPECT_EQ(PsBody("ps.1.4", "mov_x8 r0, v0\nmov_d4 r1, v0\nmov_d8_sat r2, v0"),
              (Words{0x01, 0x830F0000, 0x90E40000, 0x01, 0x8E0F0001, 0x90E40000, 0x01, 0x8D1F0002, 0x90E40000}));
}

TEST(EncodingTest, SourceModifiers) {
    EXPECT_EQ(PsBody("ps.1.1", "mov r0, -v0\nmov r0, v0_bias\nmov r0, -v0_bias\nmov r0, v0_bx2\n"
                               "mov r0, -v0_bx2\nmov r0, 1-v0\nmov r0, 1 - v1"),
              (Words{0x01, 0x800F0000, 0x91E40000, 0x01, 0x800F0000, 0x92E40000, 0x01, 0x800F0000, 0x93E40000,
                     0x01, 0x800F0000, 0x94E40000, 0x01, 0x800F0000, 0x95E40000, 0x01, 0x800F0000, 0x96E40000,
                     0x01, 0x800F0000, 0x96E40001}));
    EXPECT_EQ(PsBody("ps.1.4", "mov r0, v0_x2\nmov r1, -v1_x2"),
              (Words{0x01, 0x800F0000, 0x97E40000, 0x01, 0x800F0001, 0x98E40001}));
}

TEST(EncodingTest, PixelSelectorsReplicateOneComponent) {
    EXPECT_EQ(PsBody("ps.1.1", "mov r0, v0.a\nmov r0.a, v1.b\nmov r1, -v0_bx2.w"),
              (Words{0x01, 0x800F0000, 0x90FF0000, 0x01, 0x80080000, 0x90AA0001, 0x01, 0x800F0001, 0x95FF0000}));
    EXPECT_EQ(PsBody("ps.1.4", "mov r0, v0.r\nmov r1, v0.g\nmov r2.rb, v1.x"),
              (Words{0x01, 0x800F0000, 0x90000000, 0x01, 0x800F0001, 0x90550000, 0x01, 0x80050002, 0x90000001}));
}

TEST(EncodingTest, CoIssuedInstructionCarriesTheCoIssueBit) {
    EXPECT_EQ(PsBody("ps.1.1", "mul r0.rgb, v0, c0\n+add r1.a, v1, c1"),
              (Words{0x05, 0x80070000, 0x90E40000, 0xA0E40000, 0x40000002, 0x80080001, 0x90E40001, 0xA0E40001}));
}

TEST(EncodingTest, TextureInstructionsOfPs11To13) {
    EXPECT_EQ(PsBody("ps.1.1", "tex t0\ntexbem t1, t0\ntexcoord t2\ntexreg2ar t3, t0"),
              (Words{0x42, 0xB00F0000, 0x43, 0xB00F0001, 0xB0E40000, 0x40, 0xB00F0002, 0x45, 0xB00F0003,
                     0xB0E40000}));
    EXPECT_EQ(PsBody("ps.1.0", "texkill t0\ntex t1\ntexbeml t2, t1"),
              (Words{0x41, 0xB00F0000, 0x42, 0xB00F0001, 0x44, 0xB00F0002, 0xB0E40001}));
    EXPECT_EQ(PsBody("ps.1.1", "tex t0\ntexm3x3pad t1, t0_bx2\ntexm3x3pad t2, t0_bx2\ntexm3x3spec t3, t0_bx2, c0"),
              (Words{0x42, 0xB00F0000, 0x49, 0xB00F0001, 0xB4E40000, 0x49, 0xB00F0002, 0xB4E40000, 0x4C, 0xB00F0003,
                     0xB4E40000, 0xA0E40000}));
    EXPECT_EQ(PsBody("ps.1.3", "tex t0\ntexm3x2pad t1, t0\ntexm3x2depth t2, t0\ntexdp3tex t3, t0"),
              (Words{0x42, 0xB00F0000, 0x47, 0xB00F0001, 0xB0E40000, 0x54, 0xB00F0002, 0xB0E40000, 0x53, 0xB00F0003,
                     0xB0E40000}));
    EXPECT_EQ(PsBody("ps.1.2", "tex t0\ntexreg2rgb t1, t0\ntexdp3 t2, t0\ncmp r0, v0, t1, t2\ndp4 r1, t1, t2"),
              (Words{0x42, 0xB00F0000, 0x52, 0xB00F0001, 0xB0E40000, 0x55, 0xB00F0002, 0xB0E40000,  //
                     0x58, 0x800F0000, 0x90E40000, 0xB0E40001, 0xB0E40002, 0x09, 0x800F0001, 0xB0E40001, 0xB0E40002}));
}

TEST(EncodingTest, Ps14TextureInstructionsAndPhase) {
    EXPECT_EQ(PsBody("ps.1.4", "texld r0, t0\ntexcrd r1.rgb, t1.xyz\ntexld r2, t2_dw.xyw\nbem r3.rg, r0, r1\n"
                               "phase\ntexld r4, r1_dz\ntexdepth r5\ntexkill r0\nlrp r0.rg, v0, r4, r3"),
              (Words{0x42, 0x800F0000, 0xB0E40000,              //
                     0x40, 0x80070001, 0xB0A40001,              //
                     0x42, 0x800F0002, 0xBAF40002,              //
                     0x59, 0x80030003, 0x80E40000, 0x80E40001,  //
                     0xFFFD,                                    //
                     0x42, 0x800F0004, 0x89E40001,              //
                     0x57, 0x800F0005,                          //
                     0x41, 0x800F0000,                          //
                     0x12, 0x80030000, 0x90E40000, 0x80E40004, 0x80E40003}));
}

}  // namespace
