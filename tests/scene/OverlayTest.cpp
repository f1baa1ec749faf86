#include <gtest/gtest.h>

#include <vector>

#include "kaDeviceGlobal.h"
#include "kaMatrixMath.h"
#include "kaOrthoOverlay.h"
#include "kaRecordingDevice.h"
#include "kaSpriteBatch.h"

namespace {

using Component = kaVertexLayout::Component;

class OverlayTest : public ::testing::Test {
protected:
    OverlayTest() {
        gDevice = &device;
        device.BeginRender();
    }
    ~OverlayTest() override { gDevice = nullptr; }

    kaRecordingVertexBuffer& Vertices(const kaQuadBatch& batch) {
        return *device.recorded(batch.vertexBuffer);
    }

    void ExpectVertex(const kaQuadBatch& batch, unsigned v, float x, float y, float z,
                      uint32_t colour, float u, float tv) {
        const kaRecordingVertexBuffer& buffer = Vertices(batch);
        EXPECT_FLOAT_EQ(buffer.floatAt(v, kaVertexLayout::POSITION, 0), x) << "vertex " << v;
        EXPECT_FLOAT_EQ(buffer.floatAt(v, kaVertexLayout::POSITION, 1), y) << "vertex " << v;
        EXPECT_NEAR(buffer.floatAt(v, kaVertexLayout::POSITION, 2), z, 1e-5f) << "vertex " << v;
        EXPECT_EQ(buffer.wordAt(v, kaVertexLayout::DIFFUSE), colour) << "vertex " << v;
        EXPECT_FLOAT_EQ(buffer.floatAt(v, kaVertexLayout::TEXCOORD0, 0), u) << "vertex " << v;
        EXPECT_FLOAT_EQ(buffer.floatAt(v, kaVertexLayout::TEXCOORD0, 1), tv) << "vertex " << v;
    }

    unsigned State(unsigned state) {
        unsigned value = 0;
        device.getRenderState(state, &value);
        return value;
    }

    unsigned StageState(unsigned state) {
        unsigned value = 0;
        device.getTextureState(0, state, &value);
        return value;
    }

    kaMatrix44f Matrix(unsigned id) {
        kaMatrix44f m;
        device.getMatrix(id, &m);
        return m;
    }

    // The DrawIndexedPrimitive calls as (start index, vertex count, triangles).
    std::vector<std::vector<unsigned>> IndexedDraws() const {
        std::vector<std::vector<unsigned>> draws;
        for (const kaDeviceCall& call : device.callsNamed("DrawIndexedPrimitive")) {
            EXPECT_EQ(call.u(0), 4u);
            draws.push_back({call.u(1), call.u(2), call.u(3)});
        }
        return draws;
    }

    kaRecordingDevice device;
};

bool SameMatrix(const kaMatrix44f& a, const kaMatrix44f& b) {
    for (int i = 0; i < 16; ++i)
        if (a.m[i] != b.m[i]) return false;
    return true;
}

}  // namespace

TEST_F(OverlayTest, InitCreatesBuffersAndTheTwoTrianglePattern) {
    kaSpriteBatch sprites;
    ASSERT_EQ(sprites.Init(3), 0);
    EXPECT_EQ(sprites.capacity, 3u);
    EXPECT_EQ(Vertices(sprites).vertexFormat(), 0x142u);
    EXPECT_EQ(Vertices(sprites).vertexCount(), 12u);
    const kaRecordingIndexBuffer& indices = *device.recorded(sprites.indexBuffer);
    EXPECT_EQ(indices.indices(), (std::vector<uint16_t>{0, 1, 2, 1, 3, 2, 4, 5, 6, 5, 7, 6,
                                                         8, 9, 10, 9, 11, 10}));
    EXPECT_FALSE(indices.isLocked());
    sprites.Release();
    EXPECT_EQ(sprites.capacity, 0u);
    EXPECT_EQ(sprites.vertexBuffer, nullptr);
    EXPECT_EQ(device.liveResourceCount(), 0u);

    kaOrthoOverlay overlay;
    device.failNext("CreateIndexBuffer", 1);
    EXPECT_EQ(overlay.Init(128), 1);
    device.failNext("CreateVertexBuffer", 1);
    EXPECT_EQ(overlay.Init(128), 1);
    EXPECT_EQ(overlay.Init(0x4001), 1);  // vertex 0x10004 would not fit an index
    overlay.Release();
    EXPECT_EQ(device.liveResourceCount(), 0u);
    EXPECT_EQ(overlay.Draw(), 0);  // nothing to draw with
    EXPECT_EQ(device.count("DrawIndexedPrimitive"), 0u);
}

TEST_F(OverlayTest, OverlayDrawsEachQuadWithItsTextureAndRestoresTheCamera) {
    kaOrthoOverlay overlay;
    ASSERT_EQ(overlay.Init(128), 0);
    kaBaseTexture *first = nullptr, *second = nullptr;
    device.CreateTexture(&first, 4, 4, 21, 1, 0);
    device.CreateTexture(&second, 4, 4, 21, 1, 0);
    kaOverlayQuad whole = {-1, -1, 1, 1, 0, 0, 1, 1, first, 0x80FF2010};
    kaOverlayQuad corner = {0, 0, 0.5f, 0.25f, 0.1f, 0.2f, 0.3f, 0.4f, second, 0xFF000000};
    overlay.Add(&whole);
    overlay.Add(&corner);
    const kaMatrix44f projection = kaMatrixMath::PerspectiveFovRH(1, 1.5f, 1, 100);
    const kaMatrix44f view = kaMatrixMath::Translation(1, 2, 3);
    const kaMatrix44f world = kaMatrixMath::RotationX(0.5f);
    device.setMatrix(KA_TS_PROJECTION, const_cast<kaMatrix44f*>(&projection));
    device.setMatrix(KA_TS_VIEW, const_cast<kaMatrix44f*>(&view));
    device.setMatrix(KA_TS_WORLD, const_cast<kaMatrix44f*>(&world));
    device.clearCalls();

    ASSERT_EQ(overlay.Draw(), 0);
    EXPECT_TRUE(device.misuse().empty()) << device.misuse().front();
    ExpectVertex(overlay, 0, 1, 1, -0.1f, 0x80FF2010, 1, 1);
    ExpectVertex(overlay, 1, 1, -1, -0.1f, 0x80FF2010, 1, 0);
    ExpectVertex(overlay, 2, -1, 1, -0.1f, 0x80FF2010, 0, 1);
    ExpectVertex(overlay, 3, -1, -1, -0.1f, 0x80FF2010, 0, 0);
    ExpectVertex(overlay, 4, 0.5f, 0.25f, -0.1f, 0xFF000000, 0.3f, 0.4f);
    ExpectVertex(overlay, 7, 0, 0, -0.1f, 0xFF000000, 0.1f, 0.2f);
    EXPECT_EQ(IndexedDraws(), (std::vector<std::vector<unsigned>>{{0, 8, 2}, {6, 8, 2}}));
    ASSERT_EQ(device.draws().size(), 2u);
    EXPECT_EQ(device.draws()[0].textures[0], first);
    EXPECT_EQ(device.draws()[1].textures[0], second);
    EXPECT_EQ(device.draws()[0].vertexFormat, 0x142u);

    // While drawing: x and y as given, depth 0.1 for every quad.
    const kaMatrix44f ortho = device.callsNamed("setMatrix")[0].value<kaMatrix44f>();
    const kaVector3f corner0 = kaMatrixMath::TransformPoint({-1, -1, -0.1f}, ortho);
    EXPECT_FLOAT_EQ(corner0.x, -1);
    EXPECT_FLOAT_EQ(corner0.y, -1);
    EXPECT_FLOAT_EQ(corner0.z, 0.1f);
    EXPECT_TRUE(SameMatrix(Matrix(KA_TS_PROJECTION), projection));
    EXPECT_TRUE(SameMatrix(Matrix(KA_TS_VIEW), view));
    EXPECT_TRUE(SameMatrix(Matrix(KA_TS_WORLD), world));
    EXPECT_EQ(State(7), 0u);   // depth test stays off
    EXPECT_EQ(State(22), 2u);  // normal culling
    // Blending, stages and shaders are the callers'.
    EXPECT_EQ(State(27), kaRecordingDevice::kUnset);
    EXPECT_EQ(device.count("setPixelShader") + device.count("setTextureState"), 0u);

    overlay.Remove(&whole);
    overlay.Remove(&whole);
    EXPECT_EQ(overlay.list.getCount(), 1u);
    first->Release();
    second->Release();
}

TEST_F(OverlayTest, MoreRecordsThanTheCapacityDrawOnlyTheFirstOnes) {
    kaOrthoOverlay overlay;
    kaSpriteBatch sprites;
    ASSERT_EQ(overlay.Init(2), 0);
    ASSERT_EQ(sprites.Init(2), 0);
    kaOverlayQuad quads[3] = {};
    kaSprite flares[5] = {};
    for (kaOverlayQuad& q : quads) overlay.Add(&q);
    for (kaSprite& s : flares) sprites.Add(&s);
    overlay.Draw();
    sprites.Draw();
    EXPECT_TRUE(device.misuse().empty()) << device.misuse().front();
    EXPECT_EQ(IndexedDraws(),
              (std::vector<std::vector<unsigned>>{{0, 8, 2}, {6, 8, 2}, {0, 8, 4}}));
}

TEST_F(OverlayTest, SpritesFaceTheCameraAndAddOntoTheFrame) {
    kaSpriteBatch sprites;
    ASSERT_EQ(sprites.Init(128), 0);
    kaBaseTexture* flare = nullptr;
    device.CreateTexture(&flare, 4, 4, 21, 1, 0);
    sprites.texture = flare;
    kaSprite still = {5, 6, 7, 0xFF102030, 10};
    sprites.Add(&still);
    ASSERT_EQ(sprites.Draw(), 0);
    // Unrotated camera: x and y plus or minus the size, (1, 1) lower right.
    ExpectVertex(sprites, 0, 15, -4, 7, 0xFF102030, 1, 1);
    ExpectVertex(sprites, 1, 15, 16, 7, 0xFF102030, 1, 0);
    ExpectVertex(sprites, 2, -5, -4, 7, 0xFF102030, 0, 1);
    ExpectVertex(sprites, 3, -5, 16, 7, 0xFF102030, 0, 0);
    EXPECT_EQ(IndexedDraws(), (std::vector<std::vector<unsigned>>{{0, 4, 2}}));
    EXPECT_EQ(device.draws()[0].textures[0], flare);
    EXPECT_EQ(device.draws()[0].pixelShader, nullptr);
    EXPECT_EQ(device.count("setPixelShader"), 1u);
    EXPECT_EQ(State(22), 1u);
    EXPECT_EQ(State(19), 3u);
    EXPECT_EQ(State(20), 2u);
    EXPECT_EQ(State(171), 1u);
    EXPECT_EQ(State(27), 0u);
    EXPECT_EQ(State(7), 1u);
    EXPECT_EQ(StageState(1), 4u);
    EXPECT_EQ(StageState(2), 2u);
    EXPECT_EQ(StageState(3), 0u);

    // A turned camera: the corners lie in the view plane, size away.
    kaVector3f eye = {30, -40, 20}, at = {5, 6, 7}, up = {0, 0, 1};
    device.LoadIdentity(KA_TS_VIEW);
    device.LookAtRH(KA_TS_VIEW, eye, at, up);
    sprites.Draw();
    const kaMatrix44f view = Matrix(KA_TS_VIEW);
    const float expected[4][2] = {{10, -10}, {10, 10}, {-10, -10}, {-10, 10}};
    const kaVector3f centre = kaMatrixMath::TransformPoint(at, view);
    for (unsigned v = 0; v < 4; ++v) {
        const kaRecordingVertexBuffer& buffer = Vertices(sprites);
        const kaVector3f p = {buffer.floatAt(v, kaVertexLayout::POSITION, 0),
                              buffer.floatAt(v, kaVertexLayout::POSITION, 1),
                              buffer.floatAt(v, kaVertexLayout::POSITION, 2)};
        const kaVector3f seen = kaMatrixMath::TransformPoint(p, view);
        EXPECT_NEAR(seen.x - centre.x, expected[v][0], 1e-3f) << v;
        EXPECT_NEAR(seen.y - centre.y, expected[v][1], 1e-3f) << v;
        EXPECT_NEAR(seen.z, centre.z, 1e-3f) << v;
    }
    flare->Release();
}

TEST_F(OverlayTest, EmptySpriteListDrawsNothingButLeavesTheStates) {
    kaSpriteBatch sprites;
    ASSERT_EQ(sprites.Init(128), 0);
    device.setRenderState(27, 1);
    device.setRenderState(7, 0);
    ASSERT_EQ(sprites.Draw(), 0);
    EXPECT_EQ(IndexedDraws(), (std::vector<std::vector<unsigned>>{{0, 0, 0}}));
    EXPECT_EQ(State(27), 0u);
    EXPECT_EQ(State(7), 1u);
}
