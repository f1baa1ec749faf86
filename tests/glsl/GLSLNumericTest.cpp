// The translations run on real GL (Mesa's llvmpipe, no window): each case
// draws one quad in an OpenGL ES 3.0 and in an OpenGL 3.3 core context, and
// the pixel read back matches the value worked out by hand from the
// Direct3D 8 definitions.

#include <gtest/gtest.h>

#include <cstring>

#include "kaGLSLCases.h"
#include "kaGLTestContext.h"

namespace {

float FloatOf(uint32_t bits) {
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

// Loads a vertex shader's def constants into the constant block, as the
// device does when it sets the shader.
void LoadDefConstants(const std::vector<uint32_t>& declaration, kaTestDraw& draw) {
    for (size_t at = 0; at + 4 < declaration.size(); at += 5) {
        kaVec4& c = draw.vertexConstants[declaration[at] & 0x7F];
        for (size_t i = 0; i < 4; ++i) c[i] = FloatOf(declaration[at + 1 + i]);
    }
}

class GLSLNumericTest : public ::testing::TestWithParam<kaGLSLDialect> {};

TEST_P(GLSLNumericTest, EveryCaseGivesTheDirect3DResult) {
    kaGLTestContext context;
    std::string error;
    ASSERT_TRUE(context.Open(GetParam(), error)) << error;
    size_t drawn = 0;
    for (const kaGLSLCase& c : kaGLSLCases()) {
        if (!c.numeric) continue;
        SCOPED_TRACE(c.name);
        const kaTranslatedPair pair = kaTranslateCase(c, GetParam());
        ASSERT_TRUE(pair.ok) << pair.error;
        kaTestDraw draw = c.draw;
        draw.vertexText = pair.vertexText;
        draw.pixelText = pair.pixelText;
        LoadDefConstants(pair.defConstants, draw);
        kaVec4 pixel{};
        ASSERT_TRUE(context.Draw(draw, pixel, error)) << error;
        for (size_t i = 0; i < 4; ++i) {
            const float tolerance = c.tolerance * std::max(1.0f, std::abs(c.expected[i]));
            EXPECT_NEAR(pixel[i], c.expected[i], tolerance) << "component " << i << "\n" << draw.pixelText;
        }
        ++drawn;
    }
    EXPECT_GE(drawn, 30u);
}

INSTANTIATE_TEST_SUITE_P(Dialects, GLSLNumericTest, ::testing::Values(kaGLSLDialect::Es300, kaGLSLDialect::Core330),
                         [](const auto& info) { return info.param == kaGLSLDialect::Es300 ? "Es300" : "Core330"; });

}  // namespace
