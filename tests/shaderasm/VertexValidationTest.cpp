#include "ShaderAsmTestSupport.h"

namespace {

// A vertex shader body after which oPos is written in full.
std::string Vs(const std::string& version, const std::string& body) {
    return version + "\n" + body + "\nmov oPos, v0\n";
}

TEST(VertexValidationTest, VersionLine) {
    EXPECT_ASM_ERROR("mov oPos, v0\n", "test(1): error: missing version line");
    EXPECT_ASM_ERROR("; only a comment\n\n", "test(1): error: missing version line");
    EXPECT_ASM_ERROR("vs.2.0\nmov oPos, v0\n", "test(1): error: unsupported shader version 'vs.2.0'");
    EXPECT_ASM_ERROR("vs.1.1\nvs.1.1\nmov oPos, v0\n", "test(2): error: the version line may appear only once");
}

TEST(VertexValidationTest, UnknownAndUnavailableInstructions) {
    EXPECT_ASM_ERROR(Vs("vs.1.1", "foo r0, v0"), "test(2): error: unknown instruction 'foo'");
    EXPECT_ASM_ERROR(Vs("vs.1.1", "tex t0"), "test(2): error: instruction 'tex' is not available in vertex shaders");
    EXPECT_ASM_ERROR(Vs("vs.1.1", "add r0, v0"), "test(2): error: 'add' takes 3 operands, 2 given");
    EXPECT_ASM_ERROR(Vs("vs.1.1", "nop r0"), "test(2): error: 'nop' takes no operands");
}

TEST(VertexValidationTest, RegisterFilesAndRanges) {
    EXPECT_ASM_ERROR(Vs("vs.1.1", "mov r12, v0"), "test(2): error: register r12 is out of range (vs.1.1 has r0 to r11)");
    EXPECT_ASM_ERROR(Vs("vs.1.1", "mov r0, v16"), "register v16 is out of range (vs.1.1 has v0 to v15)");
    EXPECT_ASM_ERROR(Vs("vs.1.1", "mov r0, c96"), "register c96 is out of range (vs.1.1 has c0 to c95)");
    EXPECT_ASM_ERROR(Vs("vs.1.1", "mov oT8, v0"), "register oT8 is out of range (vs.1.1 has oT0 to oT7)");
    EXPECT_ASM_ERROR(Vs("vs.1.1", "mov oD2, v0"), "register oD2 is out of range");
    EXPECT_ASM_ERROR(Vs("vs.1.1", "mov r0, t0"), "test(2): error: register t0 is not available in vs.1.1");
    EXPECT_ASM_ERROR(Vs("vs.1.0", "mov a0.x, v0.x"), "test(2): error: register a0 is not available in vs.1.0");
    EXPECT_ASM_ERROR(Vs("vs.1.1", "mov v0, r0"), "test(2): error: register v0 cannot be written");
    EXPECT_ASM_ERROR(Vs("vs.1.1", "mov r0, oD0"), "test(2): error: register oD0 cannot be read");
    EXPECT_ASM_ERROR(Vs("vs.1.1", "mov r0, q1"), "test(2): error: unknown register 'q1'");
}

TEST(VertexValidationTest, MasksAndSwizzles) {
    EXPECT_ASM_ERROR(Vs("vs.1.1", "mov r0.xzy, v0"), "test(2): error: bad write mask '.xzy'");
    EXPECT_ASM_ERROR(Vs("vs.1.1", "mov r0.xx, v0"), "bad write mask '.xx'");
    EXPECT_ASM_ERROR(Vs("vs.1.1", "mov r0.xg, v0"), "bad write mask '.xg'");
    EXPECT_ASM_ERROR(Vs("vs.1.1", "mov r0, v0.xyzwx"), "test(2): error: bad swizzle '.xyzwx'");
    EXPECT_ASM_ERROR(Vs("vs.1.1", "mov r0, v0.q"), "bad swizzle '.q'");
    EXPECT_ASM_ERROR(Vs("vs.1.1", "frc r0.x, v0"), "test(2): error: frc takes only the .y or .xy write mask");
    EXPECT_ASM_ERROR(Vs("vs.1.1", "mov oFog.y, v0"), "test(2): error: oFog is a scalar register");
}

TEST(VertexValidationTest, PixelShaderModifiersAreRefused) {
    EXPECT_ASM_ERROR(Vs("vs.1.1", "add_sat r0, v0, c0"), "test(2): error: instruction modifiers (_x2, _sat, ...)");
    EXPECT_ASM_ERROR(Vs("vs.1.1", "mov r0, v0_bx2"), "test(2): error: only negation ('-') can modify");
    EXPECT_ASM_ERROR(Vs("vs.1.1", "mov r0, 1-v0"), "only negation ('-') can modify");
    EXPECT_ASM_ERROR(Vs("vs.1.1", "mov r0.xyz, v0\n+mov r0.w, v1"), "test(3): error: co-issue ('+') is only available");
}

TEST(VertexValidationTest, ReadPortsAllowOneConstantAndOneInput) {
    EXPECT_ASM_ERROR(Vs("vs.1.1", "mad r0, v0, c0, c1"),
                     "test(2): error: 'mad' reads 2 different c registers; vs.1.1 allows 1");
    EXPECT_ASM_ERROR(Vs("vs.1.1", "add r0, v0, v1"), "'add' reads 2 different v registers; vs.1.1 allows 1");
    EXPECT_TRUE(AssembleText(Vs("vs.1.1", "mad r0, v0, c0, c0.x")).ok) << "the same register twice is one read";
}

TEST(VertexValidationTest, AddressRegisterAndRelativeAddressing) {
    EXPECT_ASM_ERROR(Vs("vs.1.0", "mov r0, c[a0.x + 2]"), "test(2): error: relative addressing needs the address register");
    EXPECT_ASM_ERROR(Vs("vs.1.1", "mov r0, c[a0.x + 2]"), "test(2): error: a0.x is read before it is written");
    EXPECT_ASM_ERROR(Vs("vs.1.1", "mov a0.x, v0.x\nmov r0, c[a0.x + 96]"), "test(3): error: register c[a0.x + 96] is out of range");
    EXPECT_ASM_ERROR(Vs("vs.1.1", "mov a0.x, v0.x\nmov r0, c[a0.y]"), "test(3): error: relative addressing must use a0.x");
    EXPECT_ASM_ERROR(Vs("vs.1.1", "add a0.x, v0.x, c0.x"), "test(2): error: only mov can write a0");
    EXPECT_ASM_ERROR(Vs("vs.1.1", "mov a0.xy, v0"), "test(2): error: a0 takes only the .x write mask");
    EXPECT_ASM_ERROR(Vs("vs.1.1", "mov c[a0.x], v0"), "relative addressing is only allowed on source registers");
}

TEST(VertexValidationTest, MatrixMacros) {
    EXPECT_ASM_ERROR(Vs("vs.1.1", "m4x4 r0, v0, c93"),
                     "test(2): error: the matrix of m4x4 runs from c93 to c96, past the last register c95");
    EXPECT_TRUE(AssembleText(Vs("vs.1.1", "m4x4 r0, v0, c92")).ok);
    EXPECT_ASM_ERROR(Vs("vs.1.1", "mov r0, v0\nm3x3 r0, r0, c0"), "test(3): error: m3x3 cannot write its own source register r0");
    EXPECT_ASM_ERROR(Vs("vs.1.1", "m3x4 r0, v0, -c0"), "test(2): error: the matrix operand of m3x4 takes no swizzle or negation");
}

TEST(VertexValidationTest, ComponentsMustBeWrittenBeforeTheyAreRead) {
    EXPECT_ASM_ERROR(Vs("vs.1.1", "mov r1, r0"), "test(2): error: r0.xyzw is read before it is written");
    EXPECT_ASM_ERROR(Vs("vs.1.1", "mov r0.xy, v0\nmov r1, r0.xyz"), "test(3): error: r0.z is read before it is written");
    // dp3 reads x, y, z; a scalar instruction reads its one selected component;
    // a masked instruction reads only the components its mask selects.
    EXPECT_TRUE(AssembleText(Vs("vs.1.1", "mov r0.xyz, v0\ndp3 r1, r0, c0\nrcp r2, r1.y\nmov r3.w, r0.z")).ok);
    EXPECT_ASM_ERROR(Vs("vs.1.1", "mov r0.xyz, v0\ndp4 r1, r0, c0"), "test(3): error: r0.w is read before it is written");
    EXPECT_ASM_ERROR(Vs("vs.1.1", "m3x3 r1, v0, r5"), "r5.xyz is read before it is written");
}

TEST(VertexValidationTest, PositionMustBeWrittenInFull) {
    EXPECT_ASM_ERROR("vs.1.1\nmov oPos.xyz, v0\nmov oD0, v5\n",
                     "test(3): error: a vertex shader must write all four components of oPos (missing .w)");
    EXPECT_TRUE(AssembleText("vs.1.1\nmov oPos.xy, v0\nmov oPos.zw, v1\n").ok);
}

TEST(VertexValidationTest, At128InstructionSlots) {
    std::string full;
    for (int i = 0; i < 32; ++i) full += "m4x4 r0, v0, c0\n";  // 4 slots each
    EXPECT_ASM_ERROR("vs.1.1\n" + full + "mov oPos, r0\n", "test(34): error: too many instructions: this one ends at slot 129");
    EXPECT_TRUE(AssembleText("vs.1.1\n" + full.substr(16) + "mov oPos, r0\nmov oD0, v5\nnop\nnop\n").ok);
    EXPECT_ASM_ERROR("vs.1.1\nexp r0, v0.x\n" + full, "test(32): error: too many instructions: this one ends at slot 130");
}

TEST(VertexValidationTest, DefComesFirst) {
    EXPECT_ASM_ERROR("vs.1.1\nmov oPos, v0\ndef c0, 1, 1, 1, 1\n", "test(3): error: def must come before all other instructions");
    EXPECT_ASM_ERROR("vs.1.1\ndef r0, 1, 1, 1, 1\nmov oPos, v0\n", "test(2): error: def defines constant registers only");
    EXPECT_ASM_ERROR("vs.1.1\ndef c96, 1, 1, 1, 1\nmov oPos, v0\n", "register c96 is out of range");
    EXPECT_ASM_ERROR("vs.1.1\ndef c0, 1, 1, 1\nmov oPos, v0\n", "test(2): error: expected ',' before each value of def");
}

}  // namespace
