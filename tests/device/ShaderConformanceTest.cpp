// Vertex and pixel shaders drawn through the device interface and read back:
// constants from the caller and from def instructions, the device's own tail
// after the pixel shader, and the demo's bump-mapping pass with its media
// shaders and normalization cube map.
#include <cmath>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "kaConformanceTest.h"
#include "kaDeviceNumbers.h"
#include "kaNormalizationCubeMap.h"
#include "kaResult.h"

namespace {

constexpr unsigned kPositionTexture = 0x102;    // position, one set of two floats
constexpr unsigned kBumpVertex = 0x540402;      // position; sets 2, 3, 3, 3 floats
constexpr float kNear = 0.5f;

class ShaderTest : public kaConformanceTest {
protected:
    void SetUp() override {
        kaConformanceTest::SetUp();
        if (HasFatalFailure()) return;
        mDevice->setRenderState(KA_RS_CULLMODE, KA_CULL_NONE);
        mDevice->setRenderState(KA_RS_ZENABLE, 0);
    }

    void TearDown() override {
        if (mDevice) {
            mDevice->setVertexShader(nullptr);
            mDevice->setPixelShader(nullptr);
            for (unsigned stage = 0; stage < 4; ++stage) mDevice->setTexture(stage, nullptr);
        }
        for (kaVertexBuffer* buffer : mBuffers) buffer->Release();
        for (kaBaseTexture* texture : mTextures) texture->Release();
        for (kaVertexShader* shader : mVertexShaders) shader->Release();
        for (kaPixelShader* shader : mPixelShaders) shader->Release();
        kaConformanceTest::TearDown();
    }

    kaVertexShader* VertexShader(const std::string& text, unsigned format) {
        kaVertexShader* shader = nullptr;
        std::string source = text;
        EXPECT_EQ(mDevice->CreateVertexShader(&shader, format, &source[0], unsigned(source.size())),
                  KA_OK);
        if (shader) mVertexShaders.push_back(shader);
        return shader;
    }

    kaPixelShader* PixelShader(const std::string& text) {
        kaPixelShader* shader = nullptr;
        std::string source = text;
        EXPECT_EQ(mDevice->CreatePixelShader(&shader, &source[0], unsigned(source.size())), KA_OK);
        if (shader) mPixelShaders.push_back(shader);
        return shader;
    }

    // A texture of one size whose texels (R, G, B, A) are given row by row.
    kaBaseTexture* Texture(unsigned size, const std::vector<unsigned char>& texels) {
        kaBaseTexture* texture = nullptr;
        EXPECT_EQ(mDevice->CreateTexture(&texture, size, size, KA_FMT_A8R8G8B8, 1, 0), KA_OK);
        if (!texture) return nullptr;
        mTextures.push_back(texture);
        EXPECT_EQ(texture->UpdateBuffer(const_cast<unsigned char*>(texels.data()), 0), KA_OK);
        return texture;
    }

    kaBaseTexture* Solid(unsigned char r, unsigned char g, unsigned char b, unsigned char a) {
        std::vector<unsigned char> texels;
        for (int i = 0; i < 16; ++i) texels.insert(texels.end(), {r, g, b, a});
        return Texture(4, texels);
    }

    // The demo's cube map: each texel the unit vector through it.
    kaBaseTexture* NormalizationCubeMap() {
        constexpr unsigned kEdge = 64;
        kaBaseTexture* cube = nullptr;
        EXPECT_EQ(mDevice->CreateCubeTexture(&cube, kEdge, KA_FMT_A8R8G8B8, 1, 0), KA_OK);
        if (!cube) return nullptr;
        mTextures.push_back(cube);
        std::vector<unsigned char> texels(kEdge * kEdge * 4);
        for (unsigned face = 0; face < 6; ++face) {
            kaNormalizationCubeMap::FillFace(texels.data(), face, kEdge);
            EXPECT_EQ(cube->UpdateCubeFaceBuffer(texels.data(), face, 0), KA_OK);
        }
        return cube;
    }

    // Vertex-shader constants first to first + 3: the rows of the transposed
    // matrix taking pixel coordinates (x right, y down) to clip space.
    void PixelSpaceConstants(int first) {
        float rows[16] = {2.0f / kWidth, 0, 0, -1, 0, -2.0f / kHeight, 0, 1,
                          0,             0, 1, 0,  0, 0,               0, 1};
        ASSERT_EQ(mDevice->setVertexShaderConstant(first, rows, 4), KA_OK);
    }

    void SetVertexConstant(int reg, float x, float y, float z, float w) {
        float value[4] = {x, y, z, w};
        ASSERT_EQ(mDevice->setVertexShaderConstant(reg, value, 1), KA_OK);
    }

    void SetPixelConstant(int reg, float r, float g, float b, float a) {
        float value[4] = {r, g, b, a};
        ASSERT_EQ(mDevice->setPixelShaderConstant(reg, value, 1), KA_OK);
    }

    // A rectangle in pixel coordinates with texture set 0 from (0, 0) to (1,
    // 1); in the bump pass's format it faces the viewer with normal -z,
    // tangent +x and binormal +y (sets 1, 2, 3).
    void DrawQuad(float x0, float y0, float x1, float y1, unsigned format = kPositionTexture) {
        kaVertexBuffer* quad = LockedBuffer(format);
        ASSERT_NE(quad, nullptr);
        const float corners[4][4] = {{x0, y0, 0, 0}, {x1, y0, 1, 0}, {x0, y1, 0, 1}, {x1, y1, 1, 1}};
        for (const auto& c : corners) {
            quad->Vertex3f(c[0], c[1], kNear);
            quad->TexCoord2f(0, c[2], c[3]);
            if (format != kBumpVertex) continue;
            quad->TexCoord3f(1, 0, 0, -1);
            quad->TexCoord3f(2, 1, 0, 0);
            quad->TexCoord3f(3, 0, 1, 0);
        }
        Draw(quad);
    }

    kaVertexBuffer* LockedBuffer(unsigned format) {
        kaVertexBuffer* buffer = nullptr;
        EXPECT_EQ(mDevice->CreateVertexBuffer(&buffer, format, 4, 0), KA_OK);
        if (buffer) {
            EXPECT_EQ(buffer->Lock(0, 0, 0), KA_OK);
        }
        return buffer;
    }

    void Draw(kaVertexBuffer* quad) {
        EXPECT_EQ(quad->Unlock(), KA_OK);
        EXPECT_EQ(mDevice->setVertexBuffer(quad), KA_OK);
        EXPECT_EQ(mDevice->DrawPrimitive(KA_PT_TRIANGLESTRIP, 0, 2), KA_OK);
        mBuffers.push_back(quad);
    }

    std::vector<kaVertexBuffer*> mBuffers;
    std::vector<kaBaseTexture*> mTextures;
    std::vector<kaVertexShader*> mVertexShaders;
    std::vector<kaPixelShader*> mPixelShaders;
};

std::string MediaShader(const char* name) {
    std::ifstream file(std::string(VX_MEDIA_SHADERS) + "/" + name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

uint32_t Pack(float r, float g, float b) {
    auto byte = [](float v) { return uint32_t(std::lround(std::fmin(std::fmax(v, 0.0f), 1.0f) * 255)); };
    return byte(r) << 16 | byte(g) << 8 | byte(b);
}

// A unit vector as the normalization cube map stores it and _bx2 reads it.
void CubeMapped(const float v[3], float out[3]) {
    const float length = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
    for (int i = 0; i < 3; ++i) {
        out[i] = 2.0f * std::trunc(127.0f * v[i] / length + 128.0f) / 255.0f - 1.0f;
    }
}

const char kPairVertexShader[] =
    "vs.1.1\n"
    "def c20, 0.0, 0.0, 0.5, 1.0\n"
    "m4x4 oPos, v0, c0\n"
    "mov oT0.xy, v7\n"
    "mov oD1, c20\n";

const char kPairPixelShader[] =
    "ps.1.1\n"
    "tex t0\n"
    "mul r0, t0, c0\n"
    "add r0.rgb, r0, v1\n";

}  // namespace

// The vertex shader places the quad with caller constants and passes a def
// constant as its second colour; the pixel shader scales the texture by a
// caller constant and adds that colour.  Alpha test then applies to what the
// pixel shader gives.
TEST_F(ShaderTest, VertexAndPixelShaderPairWithConstantsAndAlphaTest) {
    kaVertexShader* vertex = VertexShader(kPairVertexShader, kPositionTexture);
    kaPixelShader* pixel = PixelShader(kPairPixelShader);
    kaBaseTexture* texture = Texture(2, {255, 0, 0, 255, 0, 255, 0, 255,    //
                                         0, 0, 255, 255, 255, 255, 255, 255});
    ASSERT_TRUE(vertex && pixel && texture);
    ASSERT_EQ(mDevice->Clear(KA_CLEAR_TARGET, 0xFF203040, 1.0f, 0), KA_OK);
    ASSERT_EQ(mDevice->BeginRender(), KA_OK);
    PixelSpaceConstants(0);
    ASSERT_EQ(mDevice->setVertexShader(vertex), KA_OK);
    ASSERT_EQ(mDevice->setPixelShader(pixel), KA_OK);
    ASSERT_EQ(mDevice->setTexture(0, texture), KA_OK);
    mDevice->setTextureState(0, KA_TSS_MAGFILTER, KA_TEXF_POINT);
    mDevice->setTextureState(0, KA_TSS_MINFILTER, KA_TEXF_POINT);
    SetPixelConstant(0, 1.0f, 0.5f, 1.0f, 1.0f);
    DrawQuad(0, 0, 128, 128);
    // Alpha 0.25 fails "greater than 0x80": the right half keeps the clear colour.
    SetPixelConstant(0, 1.0f, 1.0f, 1.0f, 0.25f);
    mDevice->setRenderState(KA_RS_ALPHATESTENABLE, 1);
    mDevice->setRenderState(KA_RS_ALPHAFUNC, KA_CMP_GREATER);
    mDevice->setRenderState(KA_RS_ALPHAREF, 0x80);
    DrawQuad(128, 0, 256, 128);
    // A passing alpha below it.
    SetPixelConstant(0, 1.0f, 1.0f, 1.0f, 0.75f);
    DrawQuad(128, 128, 256, 256);
    ASSERT_EQ(mDevice->EndRender(), KA_OK);

    PresentFrame();
    EXPECT_TRUE(ColorNear(At(32, 32), 0xFF0080, 2));
    EXPECT_TRUE(ColorNear(At(96, 32), 0x008080, 2));
    EXPECT_TRUE(ColorNear(At(32, 96), 0x0000FF, 2));
    EXPECT_TRUE(ColorNear(At(96, 96), 0xFF80FF, 2));
    EXPECT_TRUE(ColorNear(At(192, 64), 0x203040, 0)) << "discarded by the alpha test";
    EXPECT_TRUE(ColorNear(At(160, 160), 0xFF0080, 2));
    EXPECT_TRUE(ColorNear(At(224, 224), 0xFFFFFF, 2));
    EXPECT_TRUE(ColorNear(At(64, 192), 0x203040, 0)) << "background";
}

// The demo's per-pixel lighting: vertex.vsh with DiffCM.psh on the left and
// DiffSpecCM.psh on the right, a flat normal map at stage 0, the cube map at
// stages 1 and 2 and a colour map at stage 3, a far light 60 degrees off the
// normal and the eye straight in front.
TEST_F(ShaderTest, TheDemosBumpPassWithTheNormalizationCubeMap) {
    kaVertexShader* vertex = VertexShader(MediaShader("vertex.vsh"), kBumpVertex);
    kaPixelShader* diffuse = PixelShader(MediaShader("DiffCM.psh"));
    kaPixelShader* specular = PixelShader(MediaShader("DiffSpecCM.psh"));
    kaBaseTexture* normals = Solid(128, 128, 255, 255);
    kaBaseTexture* colours = Solid(200, 100, 50, 255);
    kaBaseTexture* cube = NormalizationCubeMap();
    ASSERT_TRUE(vertex && diffuse && specular && normals && colours && cube);

    ASSERT_EQ(mDevice->Clear(KA_CLEAR_TARGET, 0xFF000000, 1.0f, 0), KA_OK);
    ASSERT_EQ(mDevice->BeginRender(), KA_OK);
    PixelSpaceConstants(4);
    float identity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    ASSERT_EQ(mDevice->setVertexShaderConstant(8, identity, 4), KA_OK);
    SetVertexConstant(16, 128 + 8660.254f, 128, kNear - 5000.0f, 1);  // light
    SetVertexConstant(17, 128, 128, kNear - 10000.0f, 1);              // eye
    SetPixelConstant(0, 0.2f, 0.3f, 0.4f, 1.0f);
    SetPixelConstant(1, 0.7f, 1.0f, 0.8f, 1.0f);
    ASSERT_EQ(mDevice->setVertexShader(vertex), KA_OK);
    mDevice->setTexture(0, normals);
    mDevice->setTexture(1, cube);
    mDevice->setTexture(2, cube);
    mDevice->setTexture(3, colours);
    for (unsigned stage = 1; stage <= 2; ++stage) {
        mDevice->setTextureState(stage, KA_TSS_ADDRESSU, KA_TADDRESS_CLAMP);
        mDevice->setTextureState(stage, KA_TSS_ADDRESSV, KA_TADDRESS_CLAMP);
    }
    ASSERT_EQ(mDevice->setPixelShader(diffuse), KA_OK);
    DrawQuad(0, 0, 128, 256, kBumpVertex);
    ASSERT_EQ(mDevice->setPixelShader(specular), KA_OK);
    DrawQuad(128, 0, 256, 256, kBumpVertex);
    ASSERT_EQ(mDevice->EndRender(), KA_OK);

    // Tangent space: x along the tangent, y the binormal, z the normal.
    const float light[3] = {0.8660254f, 0.0f, 0.5f}, half[3] = {0.5f, 0.0f, 0.8660254f};
    float l[3], h[3], n[3];
    CubeMapped(light, l);
    CubeMapped(half, h);
    for (int i = 0; i < 3; ++i) n[i] = 2.0f * (i < 2 ? 128.0f : 255.0f) / 255.0f - 1.0f;
    const float nl = std::fmin(n[0] * l[0] + n[1] * l[1] + n[2] * l[2], 1.0f);
    const float nh = std::pow(std::fmin(n[0] * h[0] + n[1] * h[1] + n[2] * h[2], 1.0f), 8.0f);
    const float colour[3] = {200 / 255.0f, 100 / 255.0f, 50 / 255.0f};
    const float ambient[3] = {0.2f, 0.3f, 0.4f}, lightColour[3] = {0.7f, 1.0f, 0.8f};
    const float highlight[3] = {0.6f, 0.6f, 0.55f};
    float lit[3], shiny[3];
    for (int i = 0; i < 3; ++i) {
        lit[i] = std::fmin(nl * lightColour[i] + ambient[i], 1.0f) * colour[i];
        shiny[i] = lit[i] + nh * highlight[i];
    }
    PresentFrame();
    EXPECT_TRUE(ColorNear(At(64, 128), Pack(lit[0], lit[1], lit[2]), 5));
    EXPECT_TRUE(ColorNear(At(192, 128), Pack(shiny[0], shiny[1], shiny[2]), 5));
}

// A stage's mip-level bias applies to a pixel shader's lookups as to the
// texture stages': a texture drawn texel for pixel shows its first level, and
// with a bias of 1 its second (red, then green, each level one colour).
TEST_F(ShaderTest, MipLevelBiasAppliesToPixelShaderLookups) {
    kaVertexShader* vertex = VertexShader(kPairVertexShader, kPositionTexture);
    kaPixelShader* pixel = PixelShader("ps.1.1\ntex t0\nmov r0, t0\n");
    kaBaseTexture* texture = nullptr;
    ASSERT_EQ(mDevice->CreateTexture(&texture, 64, 64, KA_FMT_A8R8G8B8, 2, 0), KA_OK);
    mTextures.push_back(texture);
    ASSERT_TRUE(vertex && pixel);
    for (unsigned level = 0; level < 2; ++level) {
        std::vector<unsigned char> texels;
        for (unsigned i = 0; i < (64u >> level) * (64u >> level); ++i) {
            texels.insert(texels.end(), {uint8_t(level ? 0 : 255), uint8_t(level ? 255 : 0), 0, 255});
        }
        ASSERT_EQ(texture->UpdateBuffer(texels.data(), level), KA_OK);
    }
    ASSERT_EQ(mDevice->Clear(KA_CLEAR_TARGET, 0xFF000000, 1.0f, 0), KA_OK);
    ASSERT_EQ(mDevice->BeginRender(), KA_OK);
    PixelSpaceConstants(0);
    ASSERT_EQ(mDevice->setVertexShader(vertex), KA_OK);
    ASSERT_EQ(mDevice->setPixelShader(pixel), KA_OK);
    ASSERT_EQ(mDevice->setTexture(0, texture), KA_OK);
    mDevice->setTextureState(0, KA_TSS_MIPFILTER, KA_TEXF_POINT);
    DrawQuad(0, 0, 64, 64);
    const float one = 1.0f;
    uint32_t oneBits;
    std::memcpy(&oneBits, &one, sizeof one);
    mDevice->setTextureState(0, KA_TSS_MIPMAPLODBIAS, oneBits);
    DrawQuad(128, 0, 192, 64);
    ASSERT_EQ(mDevice->EndRender(), KA_OK);

    PresentFrame();
    EXPECT_TRUE(ColorNear(At(32, 32), 0xFF0000, 2));
    EXPECT_TRUE(ColorNear(At(160, 32), 0x00FF00, 2));
}

namespace {

constexpr unsigned kPositionVolumeCoordinates = 0x10102;  // position, one set of three floats

// One drawing of a vertex shader (or the vertex format's processing) with a
// pixel shader (or stage 0 selecting its texture or the diffuse colour), and
// the colour Direct3D gives in the middle of it.
struct DrawCase {
    const char* name;
    const char* vertexShader;  // null: fixed-function vertex processing
    const char* pixelShader;   // null: stage 0 selects stageArgument
    unsigned stageArgument;
    unsigned transformFlags;  // of stage 0
    bool fog;                 // vertex fog towards black
    float left[3], right[3];  // texture set 0 at the left and right edges
    uint32_t expected;
};

const char kProjectingVertexShader[] = "vs.1.1\nmov oPos, v0\nmov oT0, c12\n";
const char kProjectingPixelShader[] = "ps.1.1\ntex t0\nmov r0, t0\n";

// Constants: c8 + c9 with v7.x from 0 to 1 runs from 2 down to 0; c12 the texture coordinates (0.25, 0.75) times 3, with w 3.  The texture's
// quarters are red, green, blue and white: (0.25, 0.75) is blue, the
// coordinates undivided (0.75, 2.25) wrap onto green.
const DrawCase kDrawCases[] = {
    {"colours saturate per vertex: 2 to 0 is 0.5 halfway", "vs.1.1\nmov oPos, v0\nmov r0, c9\nmad oD0, v7.x, c8, r0\n",
     nullptr, KA_TA_DIFFUSE, 0, false, {0, 0, 0}, {1, 0, 0}, 0x808080},
    {"fog saturates per vertex", "vs.1.1\nmov oPos, v0\nmov oD0, c9.w\nmov r0, c9\nmad oFog.x, v7.x, c8.x, r0.x\n",
     nullptr, KA_TA_DIFFUSE, 0, true, {0, 0, 0}, {1, 0, 0}, 0x808080},
    {"ps.1.1 tex projects by w after a vertex shader", kProjectingVertexShader, kProjectingPixelShader,
     KA_TA_TEXTURE, KA_TTFF_PROJECTED, false, {0, 0, 0}, {0, 0, 0}, 0x0000FF},
    {"a stage projects by w after a vertex shader", kProjectingVertexShader, nullptr, KA_TA_TEXTURE,
     KA_TTFF_PROJECTED, false, {0, 0, 0}, {0, 0, 0}, 0x0000FF},
    {"ps.1.1 tex projects by the last of the count", nullptr, kProjectingPixelShader, KA_TA_TEXTURE,
     KA_TTFF_COUNT3 | KA_TTFF_PROJECTED, false, {0.75f, 2.25f, 3}, {0.75f, 2.25f, 3}, 0x0000FF},
    {"a stage projects by the last of the count", nullptr, nullptr, KA_TA_TEXTURE,
     KA_TTFF_COUNT3 | KA_TTFF_PROJECTED, false, {0.75f, 2.25f, 3}, {0.75f, 2.25f, 3}, 0x0000FF},
};

}  // namespace

// Each case in a 64 x 64 cell of its own, read in the cell's middle.
TEST_F(ShaderTest, VertexOutputsAndProjectionDrawAsDirect3DDraws) {
    kaBaseTexture* texture = Texture(2, {255, 0, 0, 255, 0, 255, 0, 255,    //
                                         0, 0, 255, 255, 255, 255, 255, 255});
    ASSERT_NE(texture, nullptr);
    for (unsigned id : {KA_TS_WORLD, KA_TS_VIEW, KA_TS_PROJECTION}) mDevice->LoadIdentity(id);
    mDevice->setRenderState(KA_RS_LIGHTING, 0);
    mDevice->setRenderState(KA_RS_FOGCOLOR, 0xFF000000);
    SetVertexConstant(8, -2, -2, -2, 0);
    SetVertexConstant(9, 2, 2, 2, 1);
    SetVertexConstant(12, 0.75f, 2.25f, 0, 3);
    mDevice->setTexture(0, texture);
    mDevice->setTextureState(0, KA_TSS_MAGFILTER, KA_TEXF_POINT);
    mDevice->setTextureState(0, KA_TSS_MINFILTER, KA_TEXF_POINT);
    mDevice->setTextureState(0, KA_TSS_COLOROP, KA_TOP_SELECTARG1);
    mDevice->setTextureState(0, KA_TSS_ALPHAOP, KA_TOP_SELECTARG1);
    mDevice->setTextureState(0, KA_TSS_ALPHAARG1, KA_TA_DIFFUSE);
    ASSERT_EQ(mDevice->Clear(KA_CLEAR_TARGET, 0xFF000000, 1.0f, 0), KA_OK);
    ASSERT_EQ(mDevice->BeginRender(), KA_OK);
    unsigned cell = 0;
    for (const DrawCase& c : kDrawCases) {
        SCOPED_TRACE(c.name);
        kaVertexShader* vertex = c.vertexShader ? VertexShader(c.vertexShader, kPositionVolumeCoordinates) : nullptr;
        kaPixelShader* pixel = c.pixelShader ? PixelShader(c.pixelShader) : nullptr;
        ASSERT_EQ(vertex == nullptr, c.vertexShader == nullptr);
        ASSERT_EQ(pixel == nullptr, c.pixelShader == nullptr);
        ASSERT_EQ(vertex ? mDevice->setVertexShader(vertex) : mDevice->setVertexFormat(kPositionVolumeCoordinates),
                  KA_OK);
        ASSERT_EQ(mDevice->setPixelShader(pixel), KA_OK);
        mDevice->setTextureState(0, KA_TSS_COLORARG1, c.stageArgument);
        mDevice->setTextureState(0, KA_TSS_TEXTURETRANSFORMFLAGS, c.transformFlags);
        mDevice->setRenderState(KA_RS_FOGENABLE, c.fog ? 1 : 0);
        kaVertexBuffer* quad = LockedBuffer(kPositionVolumeCoordinates);
        ASSERT_NE(quad, nullptr);
        const float x0 = float(cell % 4) * 0.5f - 1.0f, y0 = 1.0f - float(cell / 4) * 0.5f;
        for (int corner = 0; corner < 4; ++corner) {
            const float* coordinates = corner % 2 ? c.right : c.left;
            quad->Vertex3f(x0 + 0.5f * float(corner % 2), y0 - 0.5f * float(corner / 2), kNear);
            quad->TexCoord3f(0, coordinates[0], coordinates[1], coordinates[2]);
        }
        Draw(quad);
        ++cell;
    }
    ASSERT_EQ(mDevice->EndRender(), KA_OK);
    PresentFrame();
    for (unsigned i = 0; i < cell; ++i) {
        EXPECT_TRUE(ColorNear(At(64 * (i % 4) + 32, 64 * (i / 4) + 32), kDrawCases[i].expected, 3))
            << kDrawCases[i].name;
    }
}

// Shader text the assembler refuses hands nothing out.
TEST_F(ShaderTest, ShadersThatDoNotAssembleAreRefused) {
    std::string bad = "ps.1.1\nmov r7, v0\n";
    kaPixelShader* pixel = nullptr;
    EXPECT_EQ(mDevice->CreatePixelShader(&pixel, &bad[0], unsigned(bad.size())), KA_ERR_PLATFORM);
    EXPECT_EQ(pixel, nullptr);
    std::string badVertex = "vs.1.1\nfrobnicate oPos, v0\n";
    kaVertexShader* vertex = nullptr;
    EXPECT_EQ(mDevice->CreateVertexShader(&vertex, kPositionTexture, &badVertex[0],
                                          unsigned(badVertex.size())),
              KA_ERR_PLATFORM);
    EXPECT_EQ(vertex, nullptr);
}
