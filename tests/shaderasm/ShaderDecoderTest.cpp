// The token-stream decoder on streams the assembler never writes: every
// malformed stream is refused with an error naming the token, and no
// stream, however cut or corrupted, is read past its end.

#include "ShaderAsmTestSupport.h"
#include "kaShaderDecoder.h"

namespace {

void ExpectDecodeError(const Words& tokens, const std::string& expected) {
    const kaShaderDecoding decoded = kaShaderDecoder::Decode(tokens.data(), tokens.size());
    EXPECT_FALSE(decoded.ok);
    EXPECT_TRUE(decoded.program.instructions.empty());
    EXPECT_NE(decoded.error.find(expected), std::string::npos) << "expected: " << expected << "\nerror: " << decoded.error;
}

TEST(ShaderDecoderTest, MalformedStreamsNameTheBadToken) {
    ExpectDecodeError({}, "token 0: empty token stream");
    ExpectDecodeError({0xFFFE0200, 0xFFFF}, "token 0 (0xFFFE0200): not a version token");
    ExpectDecodeError({0xFFFF0105, 0xFFFF}, "token 0 (0xFFFF0105): not a version token");
    ExpectDecodeError({0xFFFF0101, 0x01, 0x800F0000, 0x90E40000}, "token 4: the stream ends without the end token");
    ExpectDecodeError({0xFFFF0101, 0x04, 0x800F0000, 0x90E40000}, "token 4: the stream ends inside 'mad'");
    ExpectDecodeError({0xFFFF0101, 0x800F0000, 0xFFFF}, "token 1 (0x800F0000): a parameter token where an instruction");
    ExpectDecodeError({0xFFFF0101, 0x0E, 0x800F0000, 0x90E40000, 0xFFFF}, "token 1 (0x0000000E): no instruction of ps.1.1");
    ExpectDecodeError({0xFFFF0104, 0x40, 0x800F0000, 0xFFFF}, "token 3 (0x0000FFFF): an operand token needs bit 31");
    ExpectDecodeError({0xFFFF0101, 0x01, 0xC00F0000, 0x90E40000, 0xFFFF}, "token 2 (0xC00F0000): no register of type 4");
    ExpectDecodeError({0xFFFE0101, 0x01, 0xC00F0003, 0x90E40000, 0xFFFF}, "no register of type 4 and number 3");
    ExpectDecodeError({0xFFFF0101, 0x01, 0x80000000, 0x90E40000, 0xFFFF}, "a destination writes no component");
    ExpectDecodeError({0xFFFF0101, 0x01, 0x840F0000, 0x90E40000, 0xFFFF}, "token 2 (0x840F0000): unknown result shift");
    ExpectDecodeError({0xFFFF0101, 0x01, 0x800F0000, 0x9BE40000, 0xFFFF}, "token 3 (0x9BE40000): unknown source modifier");
    ExpectDecodeError({0xFFFF0101, 0x01, 0x800F0000, 0x90E42000, 0xFFFF}, "relative addressing of a register that is not");
    ExpectDecodeError({0xFFFF0101, 0x00050001, 0x800F0000, 0x90E40000, 0xFFFF}, "unknown bits in an instruction token");
    ExpectDecodeError({0xFFFF0101, 0x0005FFFE, 1, 2, 0xFFFF}, "token 5: the stream ends inside a comment");
    const Words constant = {0x82000005, 0, 0, 0};  // one value short
    const Words code = {0xFFFE0101, 0x01, 0xC00F0000, 0xA0E40005, 0xFFFF};
    const kaShaderDecoding decoded = kaShaderDecoder::Decode(code.data(), code.size(), constant.data(), constant.size());
    EXPECT_FALSE(decoded.ok);
    EXPECT_NE(decoded.error.find("constant token 0 (0x82000005): not a D3DVSD_CONST declaration"), std::string::npos)
        << decoded.error;
}

TEST(ShaderDecoderTest, CommentsAndTrailingWordsAreKeptApart) {
    const Words tokens = {0xFFFF0101, 0x0002FFFE, 0x6F6C6C65, 0x00000068, 0x01, 0x800F0000, 0x90E40000, 0xFFFF, 0xDEAD};
    const kaShaderDecoding decoded = kaShaderDecoder::Decode(tokens.data(), tokens.size());
    ASSERT_TRUE(decoded.ok) << decoded.error;
    ASSERT_EQ(decoded.program.instructions.size(), 1u);
    ASSERT_EQ(decoded.program.comments.size(), 1u);
    EXPECT_EQ(decoded.program.comments[0].position, 0u);
    EXPECT_EQ(decoded.program.comments[0].words, (Words{0x6F6C6C65, 0x00000068}));
    EXPECT_EQ(decoded.spans[0].offset, 4u);
    EXPECT_EQ(decoded.spans[0].count, 3u);
}

// Every prefix of a real stream, and the stream with any one bit flipped,
// decodes or fails with an error; AddressSanitizer watches the reads.
TEST(ShaderDecoderTest, CutAndCorruptedStreamsFailCleanly) {
    const std::vector<uint32_t> tokens = TokensOf(
        "ps.1.4\ndef c0, 1, 0, 0.5, -1\ntexld r0, t0\ntexcrd r1.rgb, t1_dw.xyw\nphase\ntexld r2, r1_dz\n"
        "mad_x2_sat r0.rgb, -r0_bias, c0.g, 1-r2\n+mov r0.a, r1_x2.b\n");
    for (size_t length = 0; length < tokens.size(); ++length) {
        EXPECT_FALSE(kaShaderDecoder::Decode(tokens.data(), length).ok) << length << " tokens";
    }
    for (size_t word = 0; word < tokens.size(); ++word) {
        for (int bit = 0; bit < 32; ++bit) {
            std::vector<uint32_t> corrupted = tokens;
            corrupted[word] ^= 1u << bit;
            const kaShaderDecoding decoded = kaShaderDecoder::Decode(corrupted.data(), corrupted.size());
            EXPECT_EQ(decoded.ok, decoded.error.empty()) << "word " << word << " bit " << bit;
        }
    }
}

}  // namespace
