#include <gtest/gtest.h>

#include <string>

#include "kaCamera.h"
#include "kaD3DDeviceTest.h"
#include "kaDeviceGlobal.h"
#include "kaMediaTree.h"
#include "kaMeshModel.h"
#include "kaRecordingMessageBoxes.h"
#include "kaResult.h"
#include "kaShaderRenderer.h"
#include "kaTestModels.h"
#include "kaTestPictures.h"

namespace {

// The bump pass, diffuse only: clip position from c4-c7, and the light
// vector (light in c16) turned into tangent space with the normal, tangent
// and binormal of sets 1-3 (v8, v9, v10) for the normalization cube map.
const char kBumpVertexShader[] =
    "vs.1.1\n"
    "m4x4 oPos, v0, c4\n"
    "mov oT0.xy, v7\n"
    "m4x3 r9, v0, c8\n"
    "add r0.xyz, c16, -r9\n"
    "dp3 r1.x, r0, v9\n"
    "dp3 r1.y, r0, v10\n"
    "dp3 r1.z, r0, v8\n"
    "mov oT1.xyz, r1\n"
    "mov oT3.xy, v7\n";

// Normal map in stage 0, cube map in stage 1, colour map in stage 3;
// ambient c0, diffuse c1.
const char kDiffusePixelShader[] =
    "ps.1.1\n"
    "tex t0\n"
    "tex t1\n"
    "tex t3\n"
    "dp3_sat r0, t0_bx2, t1_bx2\n"
    "mad r0.rgb, r0, c1, c0\n"
    "+mov r0.a, t3.a\n"
    "mul r0.rgb, r0, t3\n";

const char kPositionVertexShader[] = "vs.1.1\nm4x4 oPos, v0, c4\n";
const char kTexturedVertexShader[] = "vs.1.1\nm4x4 oPos, v0, c4\nmov oT0.xy, v7\n";

// A 2 x 2 picture of one colour as a 24-bit TGA.
std::string Plain(unsigned char r, unsigned char g, unsigned char b) {
    std::string texels;
    for (int i = 0; i < 4; ++i) texels += {char(b), char(g), char(r)};
    return kaTestPictures::Tga(2, 2, 2, 24, 0x20, texels);
}

// A square of side 2 in the plane z = 0 facing +z, with a colour map of
// (200, 100, 50) and a flat normal map, seen from 5 units above.
class ShaderRendererDrawingTest : public kaD3DDeviceTest {
protected:
    void SetUp() override {
        kaD3DDeviceTest::SetUp();
        if (HasFatalFailure()) return;
        gDevice = mDevice;
        const std::pair<const char*, const char*> shaders[] = {
            {"DiffSpecCM.psh", kDiffusePixelShader}, {"DiffCM.psh", kDiffusePixelShader},
            {"Atten.psh", kTexturePixelShader},       {"SkyBox.psh", kTexturePixelShader},
            {"Render2d.psh", kTexturePixelShader},    {"vertex.vsh", kBumpVertexShader},
            {"Atten.vsh", kPositionVertexShader},     {"SkyBox.vsh", kTexturedVertexShader},
            {"vertex2d.vsh", kTexturedVertexShader}};
        for (const auto& shader : shaders) {
            media.put(std::string("xShaders/") + shader.first, shader.second);
        }
        media.put("xImages/atten2D.jpg", Plain(255, 255, 255));
        media.put("xImages/atten1D.jpg", Plain(255, 255, 255));
        media.put("xImages/colour.tga", Plain(200, 100, 50));
        media.put("xImages/normal.tga", Plain(128, 128, 255));
        kaTestModels::Material material;
        material.textures = {"colour.tga", "normal.tga"};
        kaTestModels::Mesh square = kaTestModels::Triangle(0);
        square.vertices.resize(4);
        const float corners[4][2] = {{-1, -1}, {1, -1}, {-1, 1}, {1, 1}};
        for (int i = 0; i < 4; ++i) {
            square.vertices[i].position[0] = corners[i][0];
            square.vertices[i].position[1] = corners[i][1];
        }
        square.coords = {0, 1, 1, 1, 0, 0, 1, 0};
        square.faces = {0, 1, 2, 0, 1, 2, 2, 1, 3, 2, 1, 3};
        media.put("xModels/square.tdm", kaTestModels::Tdm({material}, {square}, {}));
        ASSERT_EQ(model.Load("square.tdm"), KA_OK);

        ASSERT_EQ(renderer.Init(kWidth, kHeight), KA_OK);
        mDevice->setRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
        camera.Setup(60.0f, kWidth, kHeight, 0.1f, 100.0f);
        camera.SetEye({0, 0, 5});
        camera.LookAt(camera.eye, {0, 0, 0}, {0, 1, 0});
        renderer.MoveModel(&model, &camera, 1, {0, 0, 0});
    }
    void TearDown() override {
        renderer.Release();
        model.Release();
        gDevice = nullptr;
        kaD3DDeviceTest::TearDown();
    }

    // The centre pixel of a frame with the light at (0, 0, height).
    uint32_t DrawLitFrom(float height) {
        renderer.lightOffset = {-renderer.lightBase.x, -renderer.lightBase.y,
                                height - renderer.lightBase.z};
        mDevice->Clear(KA_CLEAR_TARGET | KA_CLEAR_ZBUFFER, 0xFF000000, 1.0f, 0);
        mDevice->BeginRender();
        renderer.BeginFrame();
        renderer.DrawBumpedModel(&model, &camera, 0);
        mDevice->EndRender();
        return ReadBackBufferPixel(kWidth / 2, kHeight / 2);
    }

    kaMediaTree media;
    kaRecordingMessageBoxes boxes;
    kaShaderRenderer renderer;
    kaMeshModel model;
    kaCamera camera;
};

unsigned Red(uint32_t pixel) { return (pixel >> 16) & 0xFF; }

TEST_F(ShaderRendererDrawingTest, TheBumpPassLightsTheFaceTurnedToTheLight) {
    ASSERT_NE(renderer.pNormalCubeMap, nullptr);
    // Lit from the front: diffuse 1 plus ambient, (0.9, 1.3, 1.2), times the
    // colour map (red 180; green and blue depend on whether the platform
    // clamps intermediate results); from behind: ambient (0.2, 0.3, 0.4)
    // times the colour map, (40, 30, 20).
    const uint32_t front = DrawLitFrom(10);
    const uint32_t behind = DrawLitFrom(-10);
    EXPECT_NEAR(Red(front), 180u, 24u) << std::hex << front;
    EXPECT_GE((front >> 8) & 0xFF, 90u) << std::hex << front;
    EXPECT_TRUE(ColorNear(behind, 0x281E14, 24)) << std::hex << behind;
    EXPECT_EQ(ReadBackBufferPixel(2, 2), 0u) << "background";
    EXPECT_TRUE(boxes.boxes().empty());
}

TEST_F(ShaderRendererDrawingTest, TheSkyPassReadsPositionAndCoordinatesOfTheBumpVertices) {
    mDevice->Clear(KA_CLEAR_TARGET | KA_CLEAR_ZBUFFER, 0xFF000000, 1.0f, 0);
    mDevice->BeginRender();
    renderer.BeginFrame();
    renderer.DrawSkyBox(&model, &camera);
    mDevice->EndRender();
    const uint32_t centre = ReadBackBufferPixel(kWidth / 2, kHeight / 2);
    EXPECT_TRUE(ColorNear(centre, 0xC86432, 8)) << std::hex << centre;
    EXPECT_EQ(ReadBackBufferPixel(2, 2), 0u) << "background";
    EXPECT_TRUE(boxes.boxes().empty());
}

}  // namespace
