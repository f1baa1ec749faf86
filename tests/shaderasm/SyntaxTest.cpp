#include "ShaderAsmTestSupport.h"

namespace {

const Words kMovR0V0 = {0x00000001, 0x800F0000, 0x90E40000};

TEST(SyntaxTest, CommentsOfAllThreeKinds) {
    EXPECT_EQ(PsBody("ps.1.1 // version", "; a comment line\nmov r0, v0 ; trailing\n/* a block\n over lines */"),
              kMovR0V0);
    // Line numbers go on counting through a block comment.
    EXPECT_ASM_ERROR("ps.1.1\n/*\n\n*/ mov r0, v9\n", "test(4): error: register v9 is out of range");
    EXPECT_ASM_ERROR("ps.1.1\nmov r0, v0 /* never closed\n", "test(2): error: comment is not closed with */");
}

TEST(SyntaxTest, TextEndsAtTheFirstZeroByte) {
    const std::string text("ps.1.1\r\nmov r0, v0\r\n\0\0\0garbage after the text", 40);
    const kaShaderAssembly code = kaShaderAssembler::Assemble(text.data(), text.size(), "test");
    ASSERT_TRUE(code.ok) << code.errors;
    EXPECT_EQ(code.tokens, (Words{0xFFFF0101, 0x00000001, 0x800F0000, 0x90E40000, 0x0000FFFF}));
    // The length is respected too: the text stops before "v0".
    EXPECT_FALSE(kaShaderAssembler::Assemble("ps.1.1\nmov r0, v0\n", 15, "test").ok);
}

TEST(SyntaxTest, NamesIgnoreCase) {
    EXPECT_EQ(TokensOf("VS.1.1\nM4X4 OPOS, V0, C4\nMOV oD0.XYZW, -V5.ZYXW\n"),
              (Words{0xFFFE0101, 0x14, 0xC00F0000, 0x90E40000, 0xA0E40004, 0x01, 0xD00F0000, 0x91C60005, 0x0000FFFF}));
}

TEST(SyntaxTest, EmptyOrMissingSource) {
    const kaShaderAssembly none = kaShaderAssembler::Assemble(nullptr, 100, "v.vsh");
    EXPECT_FALSE(none.ok);
    EXPECT_EQ(none.errors, "v.vsh(1): error: no shader source text\n");
    const kaShaderAssembly empty = kaShaderAssembler::Assemble("", 0, "v.vsh");
    EXPECT_FALSE(empty.ok);
    EXPECT_NE(empty.errors.find("v.vsh(1): error: missing version line"), std::string::npos) << empty.errors;
}

TEST(SyntaxTest, MalformedLines) {
    EXPECT_ASM_ERROR("ps.1.1\nmov r0, v0 @\n", "test(2): error: unexpected character '@'");
    EXPECT_ASM_ERROR("ps.1.1\nmov r0 v0\n", "test(2): error: expected ',' before 'v0'");
    EXPECT_ASM_ERROR("ps.1.1\nmov r0, \n", "test(2): error: expected a source register, found the end of the line");
    EXPECT_ASM_ERROR("ps.1.1\nmov r0_bx2, v0\n", "test(2): error: 'r0_bx2': a destination register takes no modifiers");
    EXPECT_ASM_ERROR("ps.1.1\nmov r0, v0_foo\n", "test(2): error: unknown source modifier '_foo'");
    EXPECT_ASM_ERROR("ps.1.1\ndef c0, 1, x, 0, 0\n", "test(2): error: expected a number, found 'x'");
    EXPECT_ASM_ERROR("vs.1.1\nmov oPos, c\n", "test(2): error: register 'c' needs a number");
    EXPECT_ASM_ERROR("vs.1.1\nmov oPos, c[a0.x - 1]\n", "test(2): error: expected ']' to close the relative address, found '-'");
}

TEST(SyntaxTest, EveryErrorLineIsReportedInLineOrder) {
    const kaShaderAssembly code = AssembleText("ps.1.1\nfoo r0\nmov r0, v0\nmov r9, v0\nmov r0, v0 @\n");
    EXPECT_FALSE(code.ok);
    EXPECT_EQ(code.errors,
              "test(2): error: unknown instruction 'foo'\n"
              "test(4): error: register r9 is out of range (ps.1.1 has r0 to r1)\n"
              "test(5): error: unexpected character '@'\n");
}

}  // namespace
