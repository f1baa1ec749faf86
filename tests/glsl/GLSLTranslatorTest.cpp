// The translator's output compiles as the GLSL reference compiler reads the
// two dialects, and streams it cannot translate are refused with an error
// naming the bad token or instruction.

#include <gtest/gtest.h>

#include <cstdio>

#include "ShaderAsmTestSupport.h"
#include "kaGLSLCases.h"
#include "kaTempDir.h"

namespace {

const char kTail[] = "out vec4 vx_FragColor;\nvoid main() { vx_FragColor = vx_ShadePixel(); }\n";

// Runs glslangValidator on the files; its output when any fails to compile.
bool Validate(const std::vector<std::string>& files, std::string& output) {
    std::string command = "glslangValidator";
    for (const std::string& file : files) command += " '" + file + "'";
    std::FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    if (pipe == nullptr) return false;
    char buffer[4096];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) output.append(buffer, got);
    return pclose(pipe) == 0;
}

TEST(GLSLTranslatorTest, EveryCaseAndMediaShaderCompilesInBothDialects) {
    for (kaGLSLDialect dialect : {kaGLSLDialect::Es300, kaGLSLDialect::Core330}) {
        kaTempDir dir;
        std::vector<std::string> files;
        for (const kaGLSLCase& c : kaGLSLCases()) {
            const kaTranslatedPair pair = kaTranslateCase(c, dialect);
            ASSERT_TRUE(pair.ok) << c.name << ": " << pair.error;
            files.push_back(dir.write(c.name + ".vert", pair.vertexText));
            files.push_back(dir.write(c.name + ".frag", pair.pixelText + kTail));
        }
        std::string output;
        EXPECT_TRUE(Validate(files, output)) << output;
        EXPECT_GE(files.size(), 80u);
    }
}

const kaGLSLTextureKind kKinds[kaGLSLStageCount] = {};

std::string PixelError(const Words& tokens) {
    const kaGLSLSource source = kaTranslatePixelShader(tokens.data(), tokens.size(), kKinds, kaGLSLDialect::Es300);
    EXPECT_FALSE(source.ok);
    EXPECT_TRUE(source.text.empty());
    return source.error;
}

TEST(GLSLTranslatorTest, RefusedStreamsNameTheBadTokenOrInstruction) {
    Words tokens = TokensOf("ps.1.1\ntex t0\nmov r0, t0\n");
    tokens[4] = 0x800F0009;  // mov r9, t0
    EXPECT_EQ(PixelError(tokens), "instruction 2 (mov r9, t0): register r9 is out of range (ps.1.1 has r0 to r1)");
    tokens.pop_back();
    EXPECT_EQ(PixelError(tokens), "token 6: the stream ends without the end token 0x0000FFFF");
    const Words vertex = TokensOf("vs.1.1\nmov oPos, v0\n");
    EXPECT_EQ(PixelError(vertex), "token 0: vs.1.1 is not a pixel shader");
    EXPECT_EQ(kaTranslatePixelShader(tokens.data(), tokens.size(), nullptr, kaGLSLDialect::Es300).error,
              "no texture kinds given");
    // A vertex shader's defs travel beside its tokens, never in them.
    const Words withDef = {0xFFFE0101, 0x51, 0xA00F0005, 0, 0, 0, 0, 0x01, 0xC00F0000, 0xA0E40005, 0xFFFF};
    const kaGLSLSource def = kaTranslateVertexShader(withDef.data(), withDef.size(), kaGLSLDialect::Core330);
    EXPECT_FALSE(def.ok);
    EXPECT_EQ(def.error, "instruction 1 (def c5, 0, 0, 0, 0): a vertex shader's def constants belong in the constant "
                         "block, not in its token stream");
    const Words noPosition = {0xFFFE0101, 0x01, 0xE00F0000, 0x90E40000, 0xFFFF};
    EXPECT_EQ(kaTranslateVertexShader(noPosition.data(), noPosition.size(), kaGLSLDialect::Core330).error,
              "instruction 1 (mov oT0, v0): a vertex shader must write all four components of oPos (missing .xyzw)");
}

}  // namespace
