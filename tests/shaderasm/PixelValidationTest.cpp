#include "ShaderAsmTestSupport.h"

namespace {

std::string Repeat(const std::string& line, int times) {
    std::string text;
    for (int i = 0; i < times; ++i) text += line;
    return text;
}

TEST(PixelValidationTest, InstructionsOfEachVersion) {
    EXPECT_ASM_ERROR("ps.1.1\ntexld r0, t0\n", "test(2): error: instruction 'texld' is not available in ps.1.1");
    EXPECT_ASM_ERROR("ps.1.4\ntex t0\n", "instruction 'tex' is not available in ps.1.4");
    EXPECT_ASM_ERROR("ps.1.1\ncmp r0, v0, v0, v1\n", "instruction 'cmp' is not available in ps.1.1");
    EXPECT_ASM_ERROR("ps.1.2\ntex t0\ntexm3x2pad t1, t0\ntexm3x2depth t2, t0\n",
                     "test(4): error: instruction 'texm3x2depth' is not available in ps.1.2");
    EXPECT_ASM_ERROR("ps.1.3\nphase\n", "instruction 'phase' is not available in ps.1.3");
    EXPECT_ASM_ERROR("ps.1.1\nm4x4 r0, v0, c0\n", "test(2): error: instruction 'm4x4' is not available in pixel shaders");
}

TEST(PixelValidationTest, RegisterFiles) {
    EXPECT_ASM_ERROR("ps.1.1\nmov r2, v0\n", "test(2): error: register r2 is out of range (ps.1.1 has r0 to r1)");
    EXPECT_ASM_ERROR("ps.1.1\ntex t4\n", "register t4 is out of range (ps.1.1 has t0 to t3)");
    EXPECT_ASM_ERROR("ps.1.1\nmov r0, c8\n", "register c8 is out of range (ps.1.1 has c0 to c7)");
    EXPECT_ASM_ERROR("ps.1.4\nmov r6, v0\n", "register r6 is out of range (ps.1.4 has r0 to r5)");
    EXPECT_ASM_ERROR("ps.1.1\nmov oPos, v0\n", "register oPos is not available in ps.1.1");
    EXPECT_ASM_ERROR("ps.1.4\nmov t0, v0\n", "test(2): error: register t0 cannot be written");
    EXPECT_ASM_ERROR("ps.1.0\ntex t0\nmov t0, t0\n", "test(3): error: arithmetic instructions cannot write texture registers in ps.1.0");
    EXPECT_TRUE(AssembleText("ps.1.1\ntex t0\nmul t0, t0, v0\nmov r0, t0\n").ok);
}

TEST(PixelValidationTest, TextureInstructionsComeFirst) {
    EXPECT_ASM_ERROR("ps.1.1\nmov r0, v0\ntex t0\n",
                     "test(3): error: texture instruction 'tex' after arithmetic instructions: in ps.1.1");
    EXPECT_ASM_ERROR("ps.1.4\ntexld r0, t0\nmov r1, r0\ntexld r2, t1\n", "texture instructions come first of each phase");
    EXPECT_TRUE(AssembleText("ps.1.4\ntexld r0, t0\nmov r1, r0\nphase\ntexld r2, t1\nmov r0, r2\n").ok);
}

TEST(PixelValidationTest, InstructionCountLimits) {
    EXPECT_ASM_ERROR("ps.1.1\n" + Repeat("add r0, v0, v1\n", 9), "test(10): error: too many arithmetic instructions: ps.1.1 allows 8");
    EXPECT_TRUE(AssembleText("ps.1.1\n" + Repeat("add r0.rgb, v0, v1\n+add r0.a, v0, v1\n", 8)).ok)
        << "a co-issued pair takes one slot";
    EXPECT_ASM_ERROR("ps.1.1\ntex t0\ntex t1\ntex t2\ntex t3\ntexkill t0\n",
                     "test(6): error: too many texture instructions: ps.1.1 allows 4");
    EXPECT_ASM_ERROR("ps.1.2\n" + Repeat("cmp r0, v0, v0, v1\n", 5), "test(6): error: too many arithmetic instructions");
    EXPECT_TRUE(AssembleText("ps.1.4\n" + Repeat("cmp r0, v0, v0, v1\n", 8)).ok) << "cmp takes one slot in ps.1.4";
    EXPECT_ASM_ERROR("ps.1.4\ntexld r0, t0\ntexld r1, t1\ntexld r2, t2\ntexld r3, t3\ntexld r4, t4\ntexld r5, t5\n"
                     "texkill t0\nmov r0, r0\n",
                     "test(8): error: too many texture instructions: ps.1.4 allows 6");
    // ps.1.0 counts texture and arithmetic instructions together, tex aside.
    EXPECT_ASM_ERROR("ps.1.0\ntexcoord t0\ntexcoord t1\ntexcoord t2\ntexcoord t3\n" + Repeat("mov r0, v0\n", 5),
                     "test(10): error: too many texture and arithmetic instructions: ps.1.0 allows 8");
    EXPECT_TRUE(AssembleText("ps.1.0\ntex t0\ntex t1\ntex t2\ntex t3\n" + Repeat("mov r0, v0\n", 8)).ok);
}

TEST(PixelValidationTest, WriteMasks) {
    EXPECT_ASM_ERROR("ps.1.1\nmov r0.rg, v0\n", "test(2): error: before ps.1.4 the write mask is .rgba, .rgb or .a");
    EXPECT_ASM_ERROR("ps.1.1\ndp3 r0.a, v0, v1\n", "test(2): error: dp3 takes only the .rgb or .rgba write mask before ps.1.4");
    EXPECT_TRUE(AssembleText("ps.1.4\nmov r0.rb, v0\nmov r0.ga, v1\n").ok);
    EXPECT_ASM_ERROR("ps.1.1\ntex t0.rgb\n", "test(2): error: texture instructions take no write mask before ps.1.4");
}

TEST(PixelValidationTest, SourceSelectors) {
    EXPECT_ASM_ERROR("ps.1.1\nmov r0, v0.g\n", "test(2): error: before ps.1.4 the only selectors are .a, and .b");
    EXPECT_ASM_ERROR("ps.1.1\nmov r0.rgb, v0.b\n", "before ps.1.4 the only selectors");
    EXPECT_ASM_ERROR("ps.1.0\nmov r0.a, v0.b\n", "before ps.1.4 the only selectors");
    EXPECT_TRUE(AssembleText("ps.1.1\nmov r0.a, v0.b\nmov r0.rgb, v0.a\n").ok);
    EXPECT_ASM_ERROR("ps.1.4\nmov r0, v0.xy\n", "test(2): error: only the .r, .g, .b and .a selectors are allowed here");
}

TEST(PixelValidationTest, SourceModifiers) {
    EXPECT_ASM_ERROR("ps.1.3\nmov r0, v0_x2\n", "test(2): error: the _x2 source modifier is only available in ps.1.4");
    EXPECT_ASM_ERROR("ps.1.1\nmov r0, 1-v0_bias\n", "test(2): error: 1- cannot be combined with other source modifiers");
    EXPECT_ASM_ERROR("ps.1.4\nmov r0, v0_dz\n", "test(2): error: _dz and _dw are only allowed on texld and texcrd sources");
    EXPECT_ASM_ERROR("ps.1.4\nmov r0, -c0\n", "test(2): error: source modifiers cannot be used on constant registers in ps.1.4");
    EXPECT_ASM_ERROR("ps.1.1\ntex t0\ntexbem t1, -t0\n", "test(3): error: the only modifier of a texture instruction source is _bx2");
    EXPECT_ASM_ERROR("ps.1.1\ntex t0\ntexbem t1, t0_bx2\n", "the only modifier of a texture instruction source is _bx2");
    EXPECT_TRUE(AssembleText("ps.1.2\ntex t0\ntexbem t1, t0_bx2\n").ok);
}

TEST(PixelValidationTest, InstructionModifiers) {
    EXPECT_ASM_ERROR("ps.1.3\nmul_x8 r0, v0, v1\n", "test(2): error: _x8 is only available in ps.1.4");
    EXPECT_ASM_ERROR("ps.1.1\nmul_d4 r0, v0, v1\n", "_d4 is only available in ps.1.4");
    EXPECT_ASM_ERROR("ps.1.1\ntex_sat t0\n", "test(2): error: instruction modifiers cannot be used on texture instructions");
    EXPECT_ASM_ERROR("ps.1.1\nmul_x3 r0, v0, v1\n", "test(2): error: unknown instruction modifier '_x3'");
    EXPECT_ASM_ERROR("ps.1.1\nmul_x2_d2 r0, v0, v1\n", "only one of _x2, _x4, _x8, _d2, _d4, _d8 may be given");
}

TEST(PixelValidationTest, ReadPorts) {
    EXPECT_ASM_ERROR("ps.1.1\nmad r0, c0, c1, c2\n", "test(2): error: 'mad' reads 3 different c registers; ps.1.1 allows 2");
    EXPECT_ASM_ERROR("ps.1.0\nmad r0, v0, v1, c0\n", "'mad' reads 2 different v registers; ps.1.0 allows 1");
    EXPECT_ASM_ERROR("ps.1.1\ntex t0\ntex t1\ntex t2\nmad r0, t0, t1, t2\n", "reads 3 different t registers; ps.1.1 allows 2");
    EXPECT_TRUE(AssembleText("ps.1.2\ntex t0\ntex t1\ntex t2\nmad r0, t0, t1, t2\n").ok);
}

TEST(PixelValidationTest, CoIssue) {
    EXPECT_ASM_ERROR("ps.1.1\n+mov r0, v0\n", "test(2): error: '+' (co-issue) pairs an arithmetic instruction");
    EXPECT_ASM_ERROR("ps.1.1\nmov r0.rgb, v0\n+mov r0.rgb, v1\n", "test(3): error: co-issued instructions must write color (.rgb) and alpha (.a) separately");
    EXPECT_ASM_ERROR("ps.1.1\nmov r0.rgb, v0\n+mov r1.a, v1\n+mov r1.rgb, v1\n", "test(4): error: '+' (co-issue)");
    EXPECT_ASM_ERROR("ps.1.1\nmov r0.rgb, v0\n+dp3 r0.a, v0, v1\n", "dp3 can write the alpha of a pair only beside dp3");
    EXPECT_ASM_ERROR("ps.1.0\nmov r0.rgb, v0\n+mov r1.a, v0\n", "co-issued instructions must write the same register in ps.1.0");
    EXPECT_ASM_ERROR("ps.1.1\nmul r0.rgb, c0, c1\n+mad r0.a, c2, c3, v0\n", "co-issued instructions read more than three different c registers");
    EXPECT_ASM_ERROR("ps.1.1\ntex t0\n+tex t1\n", "'+' (co-issue) pairs an arithmetic instruction");
    EXPECT_TRUE(AssembleText("ps.1.4\nmov r0.rg, v0\n+mov r0.a, v1\n").ok) << "ps.1.4 pairs any color mask with alpha";
}

TEST(PixelValidationTest, TextureStagesAndSources) {
    EXPECT_ASM_ERROR("ps.1.1\ntex t0\ntex t0\n", "test(3): error: t0 is already the destination of a texture instruction");
    EXPECT_ASM_ERROR("ps.1.1\ntex t1\ntexbem t0, t1\n", "test(3): error: the source of 'texbem' must be a texture register below its destination t0");
    EXPECT_ASM_ERROR("ps.1.1\ntexbem t1, t0\n", "test(2): error: t0.rgba is read before it is written");
    EXPECT_ASM_ERROR("ps.1.1\nmov r0, t2\n", "t2.rgba is read before it is written");
    EXPECT_ASM_ERROR("ps.1.1\ntex r0\n", "test(2): error: 'tex' needs a texture register (t0 to t3) as its destination");
    EXPECT_ASM_ERROR("ps.1.1\ntex t0\ntexm3x3pad t1, t0\ntexm3x3pad t2, t0\ntexm3x3spec t3, t0, v0\n",
                     "test(5): error: texm3x3spec takes a plain constant register as its eye vector");
}

TEST(PixelValidationTest, MatrixSequences) {
    EXPECT_ASM_ERROR("ps.1.1\ntex t0\ntexm3x2pad t1, t0\nmov r0, t0\n",
                     "test(4): error: expected texm3x2tex or texm3x2depth writing t2 to continue the matrix");
    EXPECT_ASM_ERROR("ps.1.1\ntex t0\ntexm3x3pad t1, t0\ntexm3x3tex t2, t0\n",
                     "test(4): error: expected texm3x3pad writing t2 to continue the matrix");
    EXPECT_ASM_ERROR("ps.1.1\ntex t0\ntexm3x3tex t1, t0\n", "test(3): error: texm3x3tex must follow two texm3x3pad");
    EXPECT_ASM_ERROR("ps.1.1\ntex t0\ntexm3x2tex t1, t0\n", "texm3x2tex must follow a texm3x2pad");
    EXPECT_ASM_ERROR("ps.1.1\ntex t0\ntexm3x3pad t1, t0\ntexm3x3pad t2, t0\n",
                     "test(3): error: this matrix is not completed: texm3x3tex, texm3x3spec, texm3x3vspec or texm3x3 writing t3 is missing");
}

TEST(PixelValidationTest, CndConditionBeforePs14) {
    EXPECT_ASM_ERROR("ps.1.1\nmov r0, v0\ncnd r1, r0, v0, v1\n", "test(3): error: cnd takes r0.a as its first source before ps.1.4");
    EXPECT_TRUE(AssembleText("ps.1.1\nmov r0, v0\ncnd r1, r0.a, v0, v1\nmov r0, r1\n").ok);
    EXPECT_TRUE(AssembleText("ps.1.4\nmov r1, v0\ncnd r0, r1, v0, v1\n").ok);
}

TEST(PixelValidationTest, Ps14Phases) {
    EXPECT_ASM_ERROR("ps.1.4\ntexld r0, t0\nmov r1, v0\nphase\nmov r0, r1\n", "test(3): error: v0 is only available in phase 2 of ps.1.4");
    EXPECT_ASM_ERROR("ps.1.4\nphase\nphase\n", "test(3): error: phase may appear only once");
    EXPECT_ASM_ERROR("ps.1.4\ntexld r0, t0\nphase\nmov r1, r0.a\n", "test(4): error: r0.a is read before it is written");
    EXPECT_TRUE(AssembleText("ps.1.4\ntexld r0, t0\nphase\nmov r1, r0.b\n").ok);
    EXPECT_ASM_ERROR("ps.1.4\nmov r0, t0\n", "test(2): error: in ps.1.4 only texld, texcrd and texkill read texture registers");
}

TEST(PixelValidationTest, Ps14TextureInstructions) {
    EXPECT_ASM_ERROR("ps.1.4\ntexld r0, t0\ntexld r1, r0\nphase\n", "test(3): error: texld can read a temporary register only in phase 2");
    EXPECT_ASM_ERROR("ps.1.4\ntexld r0.rgb, t0\n", "test(2): error: texld takes no write mask");
    EXPECT_ASM_ERROR("ps.1.4\ntexcrd r0.a, t0\n", "test(2): error: texcrd takes only the .rgb, .rg or .rgba write mask");
    EXPECT_ASM_ERROR("ps.1.4\ntexcrd r0, r1\n", "test(2): error: texcrd reads t0 to t5 only");
    EXPECT_ASM_ERROR("ps.1.4\ntexld r0, t0\ntexld r0, t1\n", "test(3): error: r0 is already the destination of a texture instruction in this phase");
    EXPECT_ASM_ERROR("ps.1.4\ntexld r0, t0_dz\n", "test(2): error: _dz is only allowed on a texld source that is a temporary register");
    EXPECT_ASM_ERROR("ps.1.4\ntexld r0, t0_dw\n", "test(2): error: _dw is only allowed on a texture coordinate read with .xyw");
    EXPECT_ASM_ERROR("ps.1.4\ntexld r0, t0.xyw\ntexcrd r1.rgb, t0\n", "test(3): error: t0 is read with both the .xyz and the .xyw selector");
    EXPECT_ASM_ERROR("ps.1.4\ntexld r0, t0.xzy\n", "test(2): error: texld and texcrd sources take only the .xyz or .xyw selector");
    EXPECT_ASM_ERROR("ps.1.4\ntexld r0, -t0\n", "test(2): error: the only modifiers of a texld or texcrd source are _dz and _dw");
    EXPECT_ASM_ERROR("ps.1.4\ntexdepth r5\nphase\n", "test(2): error: texdepth is only allowed in phase 2");
    EXPECT_ASM_ERROR("ps.1.4\ntexcrd r0.rgb, t0\nphase\ntexdepth r4\n", "test(4): error: texdepth writes r5 only");
    EXPECT_ASM_ERROR("ps.1.4\ntexkill r0\nphase\n", "test(2): error: texkill tests t0 to t5, or r0 to r5 in phase 2");
    EXPECT_ASM_ERROR("ps.1.4\ntexld r0, t0\nphase\ntexld r1, r0\nphase\n", "phase may appear only once");
}

TEST(PixelValidationTest, Bem) {
    EXPECT_ASM_ERROR("ps.1.4\ntexld r0, t0\nbem r1.rg, r0, r0\n", "test(3): error: bem is only allowed in phase 1 of ps.1.4");
    EXPECT_ASM_ERROR("ps.1.4\ntexld r0, t0\nbem r1, r0, r0\nphase\n", "test(3): error: bem takes only the .rg write mask");
    EXPECT_ASM_ERROR("ps.1.4\ntexld r0, t0\nbem r1.rg, r0, r0\nbem r2.rg, r0, r0\nphase\n", "test(4): error: bem may be used only once");
}

TEST(PixelValidationTest, Definitions) {
    EXPECT_ASM_ERROR("ps.1.1\nmov r0, v0\ndef c0, 1, 0, 0, 1\n", "test(3): error: def must come before all other instructions");
    EXPECT_ASM_ERROR("ps.1.1\ndef c8, 1, 0, 0, 1\n", "register c8 is out of range");
    EXPECT_ASM_ERROR("ps.1.1\ndef c0.x, 1, 0, 0, 1\n", "test(2): error: def takes no write mask");
}

}  // namespace
