// Pictures drawn through the device interface and read back as shown.
#include <cstdint>
#include <cstring>
#include <set>
#include <vector>

#include "kaConformanceTest.h"
#include "kaDeviceNumbers.h"
#include "kaResult.h"
#include "kaVertexLayout.h"

namespace {

constexpr unsigned kColouredTextured = 0x142;
constexpr unsigned kWriteOnly = 0x008;
constexpr float kDepth = 0.75f;  // in the middle of the depth range of OrthoLH(.., 0, 1)

class DrawingTest : public kaConformanceTest {
protected:
    void SetUp() override {
        kaConformanceTest::SetUp();
        if (HasFatalFailure() || IsSkipped()) return;
        UseUnlitPixelSpace();
    }

    // A buffer may not be released while it is the current one, and only
    // the end of a frame clears that: the drawn buffers live as long as the test.
    void TearDown() override {
        for (kaVertexBuffer* buffer : mDrawn) buffer->Release();
        kaConformanceTest::TearDown();
    }

    void UsePixelSpace(float width, float height) {
        mDevice->LoadIdentity(KA_TS_PROJECTION);
        mDevice->OrthoLH(KA_TS_PROJECTION, width, height, 0.0f, 1.0f);
    }

    // Stage 0 passes the vertex colour (no texture) or multiplies it with the texture.
    void UseTexture(kaBaseTexture* texture) {
        mDevice->setTexture(0, texture);
        const unsigned op = texture ? KA_TOP_MODULATE : KA_TOP_SELECTARG1;
        mDevice->setTextureState(0, KA_TSS_COLOROP, op);
        mDevice->setTextureState(0, KA_TSS_ALPHAOP, op);
    }

    // A rectangle from (x0, y0) to (x1, y1) in pixels, in one colour, with
    // the whole texture on it.
    void DrawQuad(float x0, float y0, float x1, float y1, unsigned char r, unsigned char g,
                  unsigned char b, unsigned char a = 255, float depth = kDepth) {
        const float corners[4][4] = {{x0, y0, 0, 0}, {x1, y0, 1, 0}, {x0, y1, 0, 1},
                                     {x1, y1, 1, 1}};
        kaVertexBuffer* quad = MakeBuffer(4);
        ASSERT_NE(quad, nullptr);
        for (const auto& c : corners) {
            quad->Vertex3f(c[0], c[1], depth);
            quad->Diffuse4ub(r, g, b, a);
            quad->TexCoord2f(0, c[2], c[3]);
        }
        ASSERT_EQ(quad->Unlock(), KA_OK);
        Draw(quad, KA_PT_TRIANGLESTRIP, 2);
    }

    // A locked buffer of the coloured, textured format, released by TearDown.
    kaVertexBuffer* MakeBuffer(unsigned vertices) {
        kaVertexBuffer* buffer = nullptr;
        EXPECT_EQ(mDevice->CreateVertexBuffer(&buffer, kColouredTextured, vertices, kWriteOnly),
                  KA_OK);
        if (buffer) {
            mDrawn.push_back(buffer);
            EXPECT_EQ(buffer->Lock(0, 0, 0), KA_OK);
        }
        return buffer;
    }

    // A white triangle with corners in the order given.
    void DrawTriangle(const float corners[3][2]) {
        kaVertexBuffer* triangle = MakeBuffer(3);
        ASSERT_NE(triangle, nullptr);
        for (int i = 0; i < 3; ++i) {
            triangle->Vertex3f(corners[i][0], corners[i][1], kDepth);
            triangle->Diffuse3ub(255, 255, 255);
            triangle->TexCoord2f(0, 0, 0);
        }
        ASSERT_EQ(triangle->Unlock(), KA_OK);
        Draw(triangle, KA_PT_TRIANGLELIST, 1);
    }

    void Draw(kaVertexBuffer* buffer, unsigned type, unsigned primitives) {
        ASSERT_EQ(mDevice->setVertexFormat(kColouredTextured), KA_OK);
        ASSERT_EQ(mDevice->setVertexBuffer(buffer), KA_OK);
        ASSERT_EQ(mDevice->DrawPrimitive(type, 0, primitives), KA_OK);
    }

    // A texture with red, green, blue and white quarters (top left, top
    // right, bottom left, bottom right), given in red, green, blue, alpha order.
    kaBaseTexture* MakeQuarteredTexture() {
        kaBaseTexture* texture = nullptr;
        EXPECT_EQ(mDevice->CreateTexture(&texture, 64, 64, KA_FMT_A8R8G8B8, 1, 0), KA_OK);
        if (!texture) return nullptr;
        std::vector<unsigned char> texels(64 * 64 * 4);
        for (unsigned y = 0; y < 64; ++y) {
            for (unsigned x = 0; x < 64; ++x) {
                const unsigned quarter = (y >= 32) * 2 + (x >= 32);
                const unsigned colour[4] = {kRed, kGreen, kBlue, kWhite};
                unsigned char* texel = &texels[(y * 64 + x) * 4];
                texel[0] = (colour[quarter] >> 16) & 0xFF;
                texel[1] = (colour[quarter] >> 8) & 0xFF;
                texel[2] = colour[quarter] & 0xFF;
                texel[3] = 0xFF;
            }
        }
        EXPECT_EQ(texture->UpdateBuffer(texels.data(), 0), KA_OK);
        return texture;
    }

    kaBaseTexture* MakeRenderTarget(unsigned size = 64) {
        kaBaseTexture* texture = nullptr;
        EXPECT_EQ(mDevice->CreateTexture(&texture, size, size, KA_FMT_A8R8G8B8, 1,
                                         KA_USAGE_RENDERTARGET),
                  KA_OK);
        return texture;
    }

    // Shows a square texture texel for pixel at the screen's top left (the
    // half-pixel shift puts each pixel centre on a texel centre), with
    // point sampling, and reads the frame back.
    void ShowTexture(kaBaseTexture* texture, unsigned size) {
        ASSERT_EQ(mDevice->Clear(KA_CLEAR_TARGET, 0xFF000000, 1.0f, 0), KA_OK);
        UsePixelSpace(kWidth, kHeight);
        mDevice->setRenderState(KA_RS_CULLMODE, KA_CULL_NONE);
        mDevice->setTextureState(0, KA_TSS_MAGFILTER, KA_TEXF_POINT);
        mDevice->setTextureState(0, KA_TSS_MINFILTER, KA_TEXF_POINT);
        UseTexture(texture);
        DrawQuad(-0.5f, -0.5f, size - 0.5f, size - 0.5f, 255, 255, 255);
        UseTexture(nullptr);
        PresentFrame();
    }

    std::vector<kaVertexBuffer*> mDrawn;
};

TEST_F(DrawingTest, TexturedQuadAndVertexColouredTriangle) {
    kaBaseTexture* texture = MakeQuarteredTexture();
    ASSERT_NE(texture, nullptr);
    ASSERT_EQ(mDevice->Clear(KA_CLEAR_TARGET, 0xFF000000, 1.0f, 0), KA_OK);
    ASSERT_EQ(mDevice->BeginRender(), KA_OK);
    UseTexture(texture);
    DrawQuad(0, 0, 128, 128, 255, 255, 255);

    UseTexture(nullptr);
    kaVertexBuffer* triangle = MakeBuffer(3);
    ASSERT_NE(triangle, nullptr);
    triangle->Vertex3f(16, 144, kDepth);
    triangle->Vertex3f(240, 144, kDepth);
    triangle->Vertex3f(128, 248, kDepth);
    triangle->Diffuse3f(1, 0, 0);
    triangle->Diffuse3f(0, 1, 0);
    triangle->Diffuse3f(0, 0, 1);
    for (int i = 0; i < 3; ++i) triangle->TexCoord2f(0, 0, 0);
    ASSERT_EQ(triangle->Unlock(), KA_OK);
    Draw(triangle, KA_PT_TRIANGLELIST, 1);
    ASSERT_EQ(mDevice->EndRender(), KA_OK);

    PresentFrame();
    EXPECT_TRUE(ColorNear(At(32, 32), kRed, 8));
    EXPECT_TRUE(ColorNear(At(96, 32), kGreen, 8));
    EXPECT_TRUE(ColorNear(At(32, 96), kBlue, 8));
    EXPECT_TRUE(ColorNear(At(96, 96), kWhite, 8));
    EXPECT_TRUE(ColorNear(At(200, 60), 0, 0)) << "background";
    // Near each corner the triangle has that corner's colour; in the middle, a third of each.
    EXPECT_TRUE(ColorNear(At(33, 149), 0xE61A1A, 40));
    EXPECT_TRUE(ColorNear(At(223, 149), 0x1AE61A, 40));
    EXPECT_TRUE(ColorNear(At(128, 232), 0x1A1AE6, 40));
    EXPECT_TRUE(ColorNear(At(128, 179), 0x555555, 16));
    mDevice->setTexture(0, nullptr);
    texture->Release();
}

// Every format whose texels can be given samples as Direct3D samples it,
// drawn blended over the background 0x204060: L8 grey and opaque, A8R8G8B8
// with its alpha, X8R8G8B8 opaque whatever its fourth byte, R5G6B5 opaque,
// A1R5G5B5 and A4R4G4B4 with alpha in their top bits, A8 black with its
// alpha, A8L8 grey with its alpha, DXT2 and DXT4 red with explicit and
// interpolated alpha 0x88.  Texels in the caller's layout: bytes R, G, B, A;
// 16-bit words little-endian; a 4 x 4 level of one texel repeated, or one block.
TEST_F(DrawingTest, EachFormatSamplesAsDirect3DSamplesIt) {
    struct Case {
        unsigned format;
        std::vector<unsigned char> texel;
        unsigned expected;
    };
    const std::vector<unsigned char> redBlock = {0x00, 0xF8, 0x1F, 0x00, 0x00, 0x00, 0x00, 0x00};
    std::vector<unsigned char> dxt2(8, 0x88), dxt4 = {0x88, 0x00, 0, 0, 0, 0, 0, 0};
    dxt2.insert(dxt2.end(), redBlock.begin(), redBlock.end());
    dxt4.insert(dxt4.end(), redBlock.begin(), redBlock.end());
    const Case cases[] = {
        {KA_FMT_L8, {0x90}, 0x909090},
        {KA_FMT_A8R8G8B8, {0xC0, 0x80, 0x40, 0x80}, 0x706050},
        {KA_FMT_X8R8G8B8, {0xC0, 0x80, 0x40, 0x00}, 0xC08040},
        {KA_FMT_R5G6B5, {0x1F, 0xF8}, 0xFF00FF},
        {KA_FMT_A1R5G5B5, {0x00, 0xFD}, 0xFF4200},
        {KA_FMT_A4R4G4B4, {0x04, 0x8F}, 0x971E51},
        {KA_FMT_A8, {0x80}, 0x102030},
        {KA_FMT_A8L8, {0x90, 0x80}, 0x586878},
        {KA_FMT_DXT2, dxt2, 0x971E2D},
        {KA_FMT_DXT4, dxt4, 0x971E2D},
    };
    ASSERT_EQ(mDevice->Clear(KA_CLEAR_TARGET, 0xFF204060, 1.0f, 0), KA_OK);
    ASSERT_EQ(mDevice->BeginRender(), KA_OK);
    mDevice->setRenderState(KA_RS_ALPHABLENDENABLE, 1);
    mDevice->setRenderState(KA_RS_SRCBLEND, KA_BLEND_SRCALPHA);
    mDevice->setRenderState(KA_RS_DESTBLEND, KA_BLEND_INVSRCALPHA);
    std::vector<kaBaseTexture*> textures;
    for (const Case& c : cases) {
        kaBaseTexture* texture = nullptr;
        ASSERT_EQ(mDevice->CreateTexture(&texture, 4, 4, c.format, 1, 0), KA_OK) << c.format;
        textures.push_back(texture);
        unsigned format = 0;
        ASSERT_EQ(texture->getLevelDesc(&format, nullptr, nullptr, nullptr, 0), KA_OK);
        ASSERT_EQ(format, c.format) << "the device keeps the format";
        const unsigned repeats = c.texel.size() == 16 ? 1 : 16;  // one block, or 4 x 4 texels
        std::vector<unsigned char> texels;
        for (unsigned i = 0; i < repeats; ++i) texels.insert(texels.end(), c.texel.begin(), c.texel.end());
        ASSERT_EQ(texture->UpdateBuffer(texels.data(), 0), KA_OK) << c.format;
        UseTexture(texture);
        const float x = 24.0f * (textures.size() - 1);
        DrawQuad(x, 0, x + 24, 24, 255, 255, 255);
    }
    ASSERT_EQ(mDevice->EndRender(), KA_OK);
    PresentFrame();
    mDevice->setTexture(0, nullptr);
    for (size_t i = 0; i < textures.size(); ++i) {
        EXPECT_TRUE(ColorNear(At(unsigned(24 * i + 12), 12), cases[i].expected, 6))
            << "format " << cases[i].format;
        textures[i]->Release();
    }
}

// Direct3D's pixel centres: a rectangle from 10 to 20 covers pixels 10 to 19
// exactly, on the back buffer and in a texture, whose row 0 is the top row.
TEST_F(DrawingTest, EdgesFallOnTheSamePixelsOnScreenAndInTextures) {
    ASSERT_EQ(mDevice->Clear(KA_CLEAR_TARGET, 0xFF000000, 1.0f, 0), KA_OK);
    ASSERT_EQ(mDevice->BeginRender(), KA_OK);
    UseTexture(nullptr);
    DrawQuad(10, 20, 20, 40, 255, 255, 255);
    ASSERT_EQ(mDevice->EndRender(), KA_OK);
    PresentFrame();
    for (unsigned y : {20u, 39u}) {
        EXPECT_EQ(At(9, y), 0u) << y;
        EXPECT_EQ(At(10, y), kWhite) << y;
        EXPECT_EQ(At(19, y), kWhite) << y;
        EXPECT_EQ(At(20, y), 0u) << y;
    }
    EXPECT_EQ(At(15, 19), 0u);
    EXPECT_EQ(At(15, 40), 0u);

    kaBaseTexture* target = MakeRenderTarget();
    ASSERT_NE(target, nullptr);
    ASSERT_EQ(mDevice->BeginRenderToTexture(target, 0, 0), KA_OK);
    ASSERT_EQ(mDevice->Clear(KA_CLEAR_TARGET, 0xFF000000, 1.0f, 0), KA_OK);
    UsePixelSpace(64, 64);
    DrawQuad(10, 20, 20, 40, 255, 255, 255);
    ASSERT_EQ(mDevice->EndRenderToTexture(), KA_OK);
    ShowTexture(target, 64);
    EXPECT_EQ(At(10, 20), kWhite);
    EXPECT_EQ(At(19, 39), kWhite);
    EXPECT_EQ(At(9, 20), 0u);
    EXPECT_EQ(At(10, 19), 0u) << "row 0 is the top row";
    EXPECT_EQ(At(10, 40), 0u);
    mDevice->setTexture(0, nullptr);
    target->Release();
}

// Counter-clockwise culling (the default) removes triangles whose corners
// run counter-clockwise on the screen (y down), in textures as on screen.
TEST_F(DrawingTest, CullModesFollowTheScreensWinding) {
    const float clockwise[3][2] = {{10, 10}, {50, 10}, {10, 50}};
    const float counter[3][2] = {{70, 10}, {70, 50}, {110, 10}};
    kaBaseTexture* target = MakeRenderTarget(128);
    ASSERT_NE(target, nullptr);
    ASSERT_EQ(mDevice->setRenderState(KA_RS_CULLMODE, KA_CULL_CCW), KA_OK);
    UseTexture(nullptr);
    ASSERT_EQ(mDevice->Clear(KA_CLEAR_TARGET, 0xFF000000, 1.0f, 0), KA_OK);
    DrawTriangle(clockwise);
    DrawTriangle(counter);
    ASSERT_EQ(mDevice->BeginRenderToTexture(target, 0, 0), KA_OK);
    ASSERT_EQ(mDevice->Clear(KA_CLEAR_TARGET, 0xFF000000, 1.0f, 0), KA_OK);
    UsePixelSpace(128, 128);
    ASSERT_EQ(mDevice->setRenderState(KA_RS_CULLMODE, KA_CULL_CW), KA_OK);
    DrawTriangle(clockwise);
    DrawTriangle(counter);
    ASSERT_EQ(mDevice->EndRenderToTexture(), KA_OK);

    PresentFrame();
    EXPECT_EQ(At(20, 20), kWhite) << "clockwise kept by CCW culling";
    EXPECT_EQ(At(80, 20), 0u) << "counter-clockwise culled";
    ShowTexture(target, 128);
    EXPECT_EQ(At(20, 20), 0u) << "clockwise culled by CW culling";
    EXPECT_EQ(At(80, 20), kWhite);
    mDevice->setTexture(0, nullptr);
    target->Release();
}

TEST_F(DrawingTest, BlendingDepthTestAndViewportRowsFromTheTop) {
    ASSERT_EQ(mDevice->Clear(KA_CLEAR_TARGET | KA_CLEAR_ZBUFFER, 0xFF0000FF, 1.0f, 0), KA_OK);
    UseTexture(nullptr);
    // Half-transparent red over blue.
    mDevice->setRenderState(KA_RS_ALPHABLENDENABLE, 1);
    mDevice->setRenderState(KA_RS_SRCBLEND, KA_BLEND_SRCALPHA);
    mDevice->setRenderState(KA_RS_DESTBLEND, KA_BLEND_INVSRCALPHA);
    DrawQuad(0, 0, 64, 64, 255, 0, 0, 128);
    mDevice->setRenderState(KA_RS_ALPHABLENDENABLE, 0);
    // A near green quad, then a far red one over it: the depth test keeps green.
    mDevice->setRenderState(KA_RS_ZENABLE, 1);
    DrawQuad(64, 0, 128, 64, 0, 255, 0, 255, 0.6f);
    DrawQuad(64, 0, 128, 64, 255, 0, 0, 255, 0.9f);
    mDevice->setRenderState(KA_RS_ZENABLE, 0);
    // A viewport of the lower half: its row 0 is the screen's row 128.
    kaViewport lower{0, 128, kWidth, 128};
    ASSERT_EQ(mDevice->setViewport(&lower), KA_OK);
    UsePixelSpace(kWidth, 128);
    DrawQuad(0, 0, 32, 16, 255, 255, 0);
    PresentFrame();
    EXPECT_TRUE(ColorNear(At(32, 32), 0x80007F, 2));
    EXPECT_TRUE(ColorNear(At(96, 32), kGreen, 0));
    EXPECT_TRUE(ColorNear(At(16, 135), 0xFFFF00, 0));
    EXPECT_TRUE(ColorNear(At(16, 120), kBlue, 0)) << "above the viewport";
    EXPECT_TRUE(ColorNear(At(16, 150), kBlue, 0));
}

// A clear reaches only the viewport, as Direct3D clears: the player clears
// the bars around its picture as viewports of their own.
TEST_F(DrawingTest, AClearFillsOnlyTheViewport) {
    ASSERT_EQ(mDevice->Clear(KA_CLEAR_TARGET | KA_CLEAR_ZBUFFER, 0xFF0000FF, 1.0f, 0), KA_OK);
    kaViewport bar{64, 32, 96, 64};
    ASSERT_EQ(mDevice->setViewport(&bar), KA_OK);
    ASSERT_EQ(mDevice->Clear(KA_CLEAR_TARGET | KA_CLEAR_ZBUFFER, 0xFF000000, 1.0f, 0), KA_OK);
    PresentFrame();
    struct Probe {
        unsigned x, y;
        uint32_t colour;
    };
    const Probe probes[] = {
        {64, 32, 0x000000}, {159, 95, 0x000000}, {100, 60, 0x000000},
        {63, 60, kBlue},    {160, 60, kBlue},    {100, 31, kBlue},   {100, 96, kBlue},
    };
    for (const Probe& p : probes) {
        EXPECT_TRUE(ColorNear(At(p.x, p.y), p.colour, 0)) << p.x << ", " << p.y;
    }
}

TEST_F(DrawingTest, DrawingIntoATextureLevelThenShowingIt) {
    kaBaseTexture* target = MakeRenderTarget();
    ASSERT_NE(target, nullptr);
    ASSERT_EQ(mDevice->BeginRenderToTexture(target, 0, 0), KA_OK);
    kaViewport viewport{};
    mDevice->getViewport(&viewport);
    EXPECT_EQ(viewport.width, 64u) << "the target's own size";
    ASSERT_EQ(mDevice->Clear(KA_CLEAR_TARGET, 0xFF00FF00, 1.0f, 0), KA_OK);
    UsePixelSpace(64, 64);
    UseTexture(nullptr);
    DrawQuad(0, 0, 32, 64, 255, 0, 0);
    ASSERT_EQ(mDevice->EndRenderToTexture(), KA_OK);
    mDevice->getViewport(&viewport);
    EXPECT_EQ(viewport.width, kWidth);

    ASSERT_EQ(mDevice->Clear(KA_CLEAR_TARGET, 0xFF000000, 1.0f, 0), KA_OK);
    ASSERT_EQ(mDevice->BeginRender(), KA_OK);
    UsePixelSpace(kWidth, kHeight);
    UseTexture(target);
    DrawQuad(0, 0, 128, 128, 255, 255, 255);
    ASSERT_EQ(mDevice->EndRender(), KA_OK);
    PresentFrame();
    EXPECT_TRUE(ColorNear(At(32, 64), kRed, 8));
    EXPECT_TRUE(ColorNear(At(96, 64), kGreen, 8));
    mDevice->setTexture(0, nullptr);
    target->Release();
}

TEST_F(DrawingTest, RenderTargetBeginAndEndPairUp) {
    kaBaseTexture* target = MakeRenderTarget();
    ASSERT_NE(target, nullptr);
    EXPECT_EQ(mDevice->EndRenderToTexture(), KA_ERR_WRONGSTATE);
    ASSERT_EQ(mDevice->BeginRenderToTexture(target, 0, 1), KA_OK);
    EXPECT_EQ(mDevice->BeginRenderToTexture(target, 0, 1), KA_ERR_WRONGSTATE);
    EXPECT_EQ(mDevice->BeginRenderToCubeTexture(target, 0, 0, 0), KA_ERR_WRONGSTATE);
    EXPECT_EQ(mDevice->EndRenderToTexture(), KA_OK);
    EXPECT_EQ(mDevice->EndRenderToCubeTexture(), KA_ERR_WRONGSTATE);

    kaBaseTexture* cube = nullptr;
    ASSERT_EQ(mDevice->CreateCubeTexture(&cube, 32, KA_FMT_A8R8G8B8, 1, KA_USAGE_RENDERTARGET),
              KA_OK);
    EXPECT_EQ(mDevice->BeginRenderToTexture(cube, 0, 0), KA_ERR_WRONGSTATE) << "not a 2D texture";
    EXPECT_EQ(mDevice->BeginRenderToCubeTexture(target, 0, 0, 0), KA_ERR_WRONGSTATE);
    ASSERT_EQ(mDevice->BeginRenderToCubeTexture(cube, 3, 0, 0), KA_OK);
    EXPECT_EQ(mDevice->EndRenderToCubeTexture(), KA_OK);
    EXPECT_EQ(mDevice->BeginRenderToTexture(nullptr, 0, 0), KA_ERR_INVALIDARG);
    cube->Release();
    target->Release();
}

// Refused: a texture that is not a render target, a level it lacks, and a
// target larger than the depth buffer it is to share (which it may use
// without depth).
TEST_F(DrawingTest, FailedRedirectionLeavesTheBackBufferAsTheTarget) {
    kaBaseTexture* plain = MakeQuarteredTexture();  // not a render target
    ASSERT_NE(plain, nullptr);
    kaBaseTexture* large = MakeRenderTarget(2 * kWidth);
    ASSERT_NE(large, nullptr);
    EXPECT_EQ(mDevice->BeginRenderToTexture(plain, 0, 0), KA_ERR_PLATFORM);
    EXPECT_EQ(mDevice->BeginRenderToTexture(plain, 3, 0), KA_ERR_PLATFORM) << "no such level";
    EXPECT_EQ(mDevice->BeginRenderToTexture(large, 0, 1), KA_ERR_PLATFORM) << "larger than the depth";
    EXPECT_EQ(mDevice->EndRenderToTexture(), KA_ERR_WRONGSTATE) << "no redirection recorded";
    ASSERT_EQ(mDevice->Clear(KA_CLEAR_TARGET, 0xFF204060, 1.0f, 0), KA_OK);
    EXPECT_TRUE(ColorNear(ShownPixel(5, 5), 0x204060, 0));
    EXPECT_EQ(mDevice->BeginRenderToTexture(large, 0, 0), KA_OK) << "without depth";
    EXPECT_EQ(mDevice->EndRenderToTexture(), KA_OK);
    plain->Release();
    large->Release();
}

// The point-size state gives points their size in pixels: a point of size 8
// at (100, 60) covers pixels 96 to 103 each way, one of the default size 1
// only its own pixel.
TEST_F(DrawingTest, PointsTakeTheirSizeFromTheRenderState) {
    kaVertexBuffer* points = MakeBuffer(2);
    ASSERT_NE(points, nullptr);
    for (float x : {100.0f, 200.0f}) {
        points->Vertex3f(x, 60, kDepth);
        points->Diffuse3ub(255, 255, 255);
        points->TexCoord2f(0, 0, 0);
    }
    ASSERT_EQ(points->Unlock(), KA_OK);
    ASSERT_EQ(mDevice->Clear(KA_CLEAR_TARGET, 0xFF000000, 1.0f, 0), KA_OK);
    UseTexture(nullptr);
    const float sizes[2] = {8.0f, 1.0f};
    uint32_t bits[2];
    std::memcpy(bits, sizes, sizeof bits);
    ASSERT_EQ(mDevice->setRenderState(KA_RS_POINTSIZE, bits[0]), KA_OK);
    Draw(points, KA_PT_POINTLIST, 1);
    ASSERT_EQ(mDevice->setRenderState(KA_RS_POINTSIZE, bits[1]), KA_OK);
    ASSERT_EQ(mDevice->DrawPrimitive(KA_PT_POINTLIST, 1, 1), KA_OK);
    PresentFrame();
    for (unsigned xy : {97u, 102u}) EXPECT_EQ(At(xy, xy - 40), kWhite) << xy;
    for (unsigned x : {94u, 105u}) EXPECT_EQ(At(x, 60), 0u) << x;
    EXPECT_EQ(At(100, 54), 0u);
    EXPECT_EQ(At(200, 60), kWhite);
    EXPECT_EQ(At(202, 60), 0u);
    EXPECT_EQ(At(200, 62), 0u);
}

TEST_F(DrawingTest, TheFirstFrameIsBlackAndClearFillsTheTarget) {
    EXPECT_TRUE(ColorNear(ShownPixel(kWidth / 2, kHeight / 2), 0x000000, 0));
    EXPECT_EQ(mDevice->Clear(KA_CLEAR_TARGET | KA_CLEAR_ZBUFFER, 0x00FF8040, 1.0f, 0), KA_OK);
    EXPECT_EQ(mDevice->BeginRender(), KA_OK);
    EXPECT_EQ(mDevice->EndRender(), KA_OK);
    PresentFrame();
    EXPECT_TRUE(ColorNear(At(10, 10), 0xFF8040, 2));
    EXPECT_TRUE(ColorNear(At(kWidth - 10, kHeight - 10), 0xFF8040, 2));
}

// One DXT1 block: a row of each of its four colours, red and blue and the
// two thirds between them, drawn with point sampling.
TEST_F(DrawingTest, CompressedTexelsDrawTheirColours) {
    kaBaseTexture* texture = nullptr;
    ASSERT_EQ(mDevice->CreateTexture(&texture, 4, 4, KA_FMT_DXT1, 1, 0), KA_OK);
    const unsigned char block[8] = {0x00, 0xF8, 0x1F, 0x00, 0x00, 0x55, 0xAA, 0xFF};
    ASSERT_EQ(texture->UpdateBuffer(const_cast<unsigned char*>(block), 0), KA_OK);
    for (unsigned filter : {KA_TSS_MAGFILTER, KA_TSS_MINFILTER}) {
        mDevice->setTextureState(0, filter, KA_TEXF_POINT);
    }
    mDevice->setTextureState(0, KA_TSS_MIPFILTER, KA_TEXF_NONE);
    UseTexture(texture);
    DrawQuad(0, 0, 64, 64, 255, 255, 255);
    PresentFrame();
    EXPECT_TRUE(ColorNear(At(32, 8), 0xFF0000, 8));
    EXPECT_TRUE(ColorNear(At(32, 24), 0x0000FF, 8));
    EXPECT_TRUE(ColorNear(At(32, 40), 0xAA0055, 8));
    EXPECT_TRUE(ColorNear(At(32, 56), 0x5500AA, 8));
    mDevice->setTexture(0, nullptr);
    texture->Release();
}

// A cube map looked up with three-component coordinates picks the face of
// the largest component, faces numbered +x, -x, +y, -y, +z, -z.
TEST_F(DrawingTest, CubeMapsPickTheFaceOfTheDirection) {
    kaBaseTexture* cube = nullptr;
    ASSERT_EQ(mDevice->CreateCubeTexture(&cube, 4, KA_FMT_A8R8G8B8, 1, 0), KA_OK);
    const unsigned colours[6] = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00, 0x00FFFF, 0xFF00FF};
    for (unsigned face = 0; face < 6; ++face) {
        std::vector<unsigned char> texels;
        for (int i = 0; i < 16; ++i) {
            texels.insert(texels.end(), {(unsigned char)(colours[face] >> 16),
                                         (unsigned char)(colours[face] >> 8),
                                         (unsigned char)colours[face], 255});
        }
        ASSERT_EQ(cube->UpdateCubeFaceBuffer(texels.data(), face, 0), KA_OK);
    }
    const unsigned format = KA_FVF_XYZ | KA_FVF_DIFFUSE | 0x100 | 0x10000;  // one set of three
    const float directions[6][3] = {{1, 0.1f, 0.2f}, {-1, 0.2f, 0.1f}, {0.1f, 1, 0.2f},
                                    {0.2f, -1, 0.1f}, {0.1f, 0.2f, 1}, {0.2f, 0.1f, -1}};
    kaVertexBuffer* quads = nullptr;
    ASSERT_EQ(mDevice->CreateVertexBuffer(&quads, format, 36, kWriteOnly), KA_OK);
    ASSERT_EQ(quads->Lock(0, 0, 0), KA_OK);
    for (unsigned face = 0; face < 6; ++face) {
        const float x0 = 32.0f * face, x1 = x0 + 32.0f;
        const float corners[6][2] = {{x0, 0}, {x1, 0}, {x0, 32}, {x1, 0}, {x1, 32}, {x0, 32}};
        for (const auto& c : corners) {
            quads->Vertex3f(c[0], c[1], kDepth);
            quads->Diffuse3ub(255, 255, 255);
            quads->TexCoord3f(0, directions[face][0], directions[face][1], directions[face][2]);
        }
    }
    ASSERT_EQ(quads->Unlock(), KA_OK);
    UseTexture(cube);
    ASSERT_EQ(mDevice->setVertexFormat(format), KA_OK);
    ASSERT_EQ(mDevice->setVertexBuffer(quads), KA_OK);
    ASSERT_EQ(mDevice->DrawPrimitive(KA_PT_TRIANGLELIST, 0, 12), KA_OK);
    PresentFrame();
    for (unsigned face = 0; face < 6; ++face) {
        EXPECT_TRUE(ColorNear(At(32 * face + 16, 16), colours[face], 2)) << "face " << face;
    }
    mDevice->setTexture(0, nullptr);
    quads->Release();
    cube->Release();
}

// The default light shines along +z: a face whose normal points back at it
// gets the vertex colour (the diffuse material's source), one turned away
// gets nothing; linear vertex fog then mixes in the fog colour by depth.
TEST_F(DrawingTest, FixedFunctionLightingAndVertexFog) {
    const unsigned format = KA_FVF_XYZ | KA_FVF_NORMAL | KA_FVF_DIFFUSE;
    kaVertexBuffer* quads = nullptr;
    ASSERT_EQ(mDevice->CreateVertexBuffer(&quads, format, 12, kWriteOnly), KA_OK);
    ASSERT_EQ(quads->Lock(0, 0, 0), KA_OK);
    for (int quad = 0; quad < 2; ++quad) {
        const float x0 = 64.0f * quad, x1 = x0 + 64.0f, nz = quad == 0 ? -1.0f : 1.0f;
        const float corners[6][2] = {{x0, 0}, {x1, 0}, {x0, 64}, {x1, 0}, {x1, 64}, {x0, 64}};
        for (const auto& c : corners) {
            quads->Vertex3f(c[0], c[1], kDepth);
            quads->Normal3f(0, 0, nz);
            quads->Diffuse3ub(200, 100, 50);
        }
    }
    ASSERT_EQ(quads->Unlock(), KA_OK);
    UseTexture(nullptr);
    mDevice->setRenderState(KA_RS_LIGHTING, 1);
    ASSERT_EQ(mDevice->setVertexFormat(format), KA_OK);
    ASSERT_EQ(mDevice->setVertexBuffer(quads), KA_OK);
    ASSERT_EQ(mDevice->DrawPrimitive(KA_PT_TRIANGLELIST, 0, 4), KA_OK);
    PresentFrame();
    EXPECT_TRUE(ColorNear(At(32, 32), 0xC86432, 3)) << "facing the light";
    EXPECT_TRUE(ColorNear(At(96, 32), 0x000000, 3)) << "turned away";

    mDevice->setRenderState(KA_RS_LIGHTING, 0);
    kaFog fog{KA_FOG_LINEAR, 0.0f, 0.0f, 1.0f, 0.0f, 1.0f, 1.0f};
    ASSERT_EQ(mDevice->setFog(&fog), KA_OK);
    mDevice->setRenderState(KA_RS_FOGENABLE, 1);
    ASSERT_EQ(mDevice->DrawPrimitive(KA_PT_TRIANGLELIST, 0, 2), KA_OK);
    mDevice->setRenderState(KA_RS_FOGENABLE, 0);
    PresentFrame();
    // Depth 0.75 between start 0 and end 1 leaves a quarter of the colour.
    EXPECT_TRUE(ColorNear(At(32, 32), 0x3219CC, 6)) << "fogged";
    quads->Release();
}

TEST_F(DrawingTest, DepthFormatsAreCheckedAgainstTheDisplay) {
    EXPECT_EQ(mDevice->CheckDepthStencil(77, 0, 1), KA_OK) << "24-bit depth";
    EXPECT_EQ(mDevice->CheckDepthStencil(KA_FMT_A8R8G8B8, 0, 1), KA_ERR_UNSUPPORTED);
    EXPECT_EQ(mDevice->CheckDepthStencil(77, 0xFFFF, 0), KA_ERR_PLATFORM) << "no such mode";
}

// The back buffer with 0 (one), 2, 4 and 8 samples per pixel.
class MultisampleTest : public DrawingTest, public ::testing::WithParamInterface<unsigned> {
protected:
    unsigned MultiSampleType() const override { return GetParam(); }

    // A white triangle on black in the top left size x size pixels, whose
    // edges are slanted, vertical through pixel centres, and slanted again.
    void DrawSlantedTriangle() {
        const float corners[3][2] = {{8, 8}, {120, 40}, {8, 120}};
        ASSERT_EQ(mDevice->Clear(KA_CLEAR_TARGET, 0xFF000000, 1.0f, 0), KA_OK);
        DrawTriangle(corners);
    }

    // Of the last frame shown, the pixels of the top left 128 x 128 that are
    // neither black nor white, and the grey levels among them.  A pixel in
    // colour is counted as a level of its own, to fail any expectation.
    void CountPartlyCovered(unsigned* pixels, std::set<uint32_t>* levels) const {
        *pixels = 0;
        for (unsigned y = 0; y < 128; ++y) {
            for (unsigned x = 0; x < 128; ++x) {
                const uint32_t c = At(x, y);
                if (c == 0 || c == kWhite) continue;
                ++*pixels;
                levels->insert(c);
            }
        }
    }

    // With one sample, every pixel is in the triangle or not; with N (a
    // driver may give more), the edges leave long runs of partly covered
    // pixels, grey in at least N - 1 levels between black and white.
    void ExpectCoverage(unsigned samples, const char* where) const {
        unsigned partly = 0;
        std::set<uint32_t> levels;
        CountPartlyCovered(&partly, &levels);
        if (samples == 0) {
            EXPECT_EQ(partly, 0u) << where;
            return;
        }
        EXPECT_GE(partly, 100u) << where;
        EXPECT_GE(levels.size(), samples - 1) << where;
        for (uint32_t level : levels) {
            EXPECT_TRUE(level == (level & 0xFF) * 0x010101u) << where << ": 0x" << std::hex << level;
        }
    }
};

// The back buffer is resolved before it is shown and read back; a render
// target drawn with samples is resolved before it is sampled.  Samples are
// taken apart only with the multisample render state on, as in Direct3D.
TEST_P(MultisampleTest, SlantedEdgesArePartlyCoveredOnlyWithSamples) {
    UseTexture(nullptr);
    ASSERT_EQ(mDevice->setRenderState(KA_RS_MULTISAMPLEANTIALIAS, 1), KA_OK);
    ASSERT_EQ(mDevice->BeginRender(), KA_OK);
    DrawSlantedTriangle();
    ASSERT_EQ(mDevice->EndRender(), KA_OK);
    PresentFrame();
    ExpectCoverage(GetParam(), "back buffer");

    kaBaseTexture* target = MakeRenderTarget(128);
    ASSERT_NE(target, nullptr);
    ASSERT_EQ(mDevice->BeginRenderToTexture(target, 0, 0), KA_OK);
    UsePixelSpace(128, 128);
    DrawSlantedTriangle();
    ASSERT_EQ(mDevice->EndRenderToTexture(), KA_OK);
    ShowTexture(target, 128);
    ExpectCoverage(kaTestDevice::MultisamplesRenderTargets() ? GetParam() : 0, "render target");
    mDevice->setTexture(0, nullptr);
    target->Release();
}

INSTANTIATE_TEST_SUITE_P(SampleCounts, MultisampleTest, ::testing::Values(0u, 2u, 4u, 8u));

}  // namespace
