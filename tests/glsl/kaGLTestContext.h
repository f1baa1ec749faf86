#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "kaGLSLTranslator.h"

using kaVec4 = std::array<float, 4>;

// A texture for one stage: RGBA bytes, rows top first; `size` texels a side
// (cube maps: six faces in Direct3D's order +X -X +Y -Y +Z -Z, volumes:
// `size` slices).  Sampled with the nearest texel.
struct kaTestTexture {
    kaGLSLTextureKind kind = kaGLSLTextureKind::None;
    int size = 1;
    std::vector<uint8_t> rgba;
};

// One full-target quad: the programs' GLSL and everything they read.
struct kaTestDraw {
    std::string vertexText;  // a complete vertex program
    std::string pixelText;   // defines vx_ShadePixel(); the harness adds main
    std::map<uint32_t, kaVec4> attributes;  // vN other than v0 (the quad corner): one value for all vertices
    std::vector<kaVec4> vertexConstants = std::vector<kaVec4>(96, kaVec4{0, 0, 0, 0});
    std::vector<kaVec4> pixelConstants = std::vector<kaVec4>(8, kaVec4{0, 0, 0, 0});
    std::map<uint32_t, kaTestTexture> textures;  // by stage
    std::map<uint32_t, kaVec4> bumpMatrices;     // vx_BumpMat<stage>
    std::map<uint32_t, kaVec4> bumpLuminance;    // vx_BumpLum<stage> (x, y used)
};

// A test helper, not the device: an EGL context on Mesa without a window
// (ES 3.0 or 3.3 core), a 4 x 4 RGBA32F target, one quad per draw with v0 at
// the corners (-1..1, z 0.5, w 1) and vx_PositionAdjust (0, 0, 1, 0), and
// the colour of one pixel read back as floats.
class kaGLTestContext {
public:
    ~kaGLTestContext();

    bool Open(kaGLSLDialect dialect, std::string& error);
    bool Draw(const kaTestDraw& draw, kaVec4& pixel, std::string& error);

private:
    bool Compile(unsigned type, const std::string& text, unsigned& shader, std::string& error);
    bool Link(const kaTestDraw& draw, unsigned& program, std::string& error);
    void SetUniforms(unsigned program, const kaTestDraw& draw);
    void BindTextures(unsigned program, const kaTestDraw& draw, std::vector<unsigned>& names);
    bool MakeTarget(std::string& error);

    void* mDisplay = nullptr;
    void* mContext = nullptr;
    unsigned mFramebuffer = 0;
    unsigned mColor = 0;
    unsigned mVertexArray = 0;
    unsigned mQuad = 0;
    unsigned mConstants = 0;
};
