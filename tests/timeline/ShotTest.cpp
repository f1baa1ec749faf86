#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "DemoGlobals.h"
#include "Scenes.h"
#include "WhiteFlash.h"
#include "kaAnimClip.h"
#include "kaCamera.h"
#include "kaCharacter.h"
#include "kaClipClock.h"
#include "kaDemoWorld.h"
#include "kaMusic.h"
#include "kaOrthoOverlay.h"
#include "kaShaderRenderer.h"
#include "kaShot.h"
#include "kaSpriteBatch.h"
#include "kaStream.h"
#include "kaTexture.h"

namespace {

class ShotTest : public ::testing::Test {
protected:
    // The set-up frame and one drawing frame of scene n at times t0 and t1;
    // the device keeps only the drawing frame's calls.
    void SetUpAndDraw(unsigned n, float t0, float t1, float frameDelta = 0.1f) {
        PlayShot(SceneShot(n), state, frameDelta, t0);
        world.device.clearCalls();
        PlayShot(SceneShot(n), state, frameDelta, t1);
    }
    void SetUpScene(unsigned n, float t) {
        kaShotState fresh;
        PlayShot(SceneShot(n), fresh, 0.1f, t);
    }

    // The vertex buffers drawn, in order (the mesh models' have one mesh).
    std::vector<kaVertexBuffer*> DrawnBuffers() const {
        std::vector<kaVertexBuffer*> buffers;
        for (const kaRecordingDevice::Draw& draw : world.device.draws()) buffers.push_back(draw.vertexBuffer);
        return buffers;
    }
    static kaVertexBuffer* BufferOf(const kaMeshModel* model) { return model->meshes[0].buffer; }
    // Position of the first call named `name` among the recorded calls.
    size_t FirstCall(const std::string& name) const {
        const std::vector<std::string> names = world.device.callNames();
        for (size_t i = 0; i < names.size(); ++i) {
            if (names[i] == name) return i;
        }
        return names.size();
    }
    // The offset MoveModel gave a model: its first vertex in the buffer
    // against the mesh's own position.
    kaVector3f Displacement(const kaMeshModel* model) const {
        const float* p = model->meshes[0].positions.data();
        kaVertexBuffer* buffer = BufferOf(model);
        return {BufferPosition(world.device, buffer, 0, 0) - p[0], BufferPosition(world.device, buffer, 0, 1) - p[1],
                BufferPosition(world.device, buffer, 0, 2) - p[2]};
    }
    static void ExpectNear(const kaVector3f& actual, const kaVector3f& expected, const char* what) {
        EXPECT_NEAR(actual.x, expected.x, 1e-2f) << what;
        EXPECT_NEAR(actual.y, expected.y, 1e-2f) << what;
        EXPECT_NEAR(actual.z, expected.z, 1e-2f) << what;
    }
    static kaVector3f Centre() { return {gCharacter->centre[0], gCharacter->centre[1], gCharacter->centre[2]}; }
    static std::vector<const void*> BatchRecords() {
        std::vector<const void*> records;
        for (kaListNode* node = gSpriteBatch->list.getHead(); node != nullptr; node = node->next) {
            records.push_back(node->item);
        }
        return records;
    }
    // The alpha of the last overlay quad drawn.
    unsigned OverlayAlpha() const {
        return world.device.recorded(gOverlay->vertexBuffer)->wordAt(0, kaVertexLayout::DIFFUSE) >> 24;
    }

    // The bit patterns of a sprite record.
    static void ExpectRecord(unsigned index, std::array<uint32_t, 5> words) {
        std::array<uint32_t, 5> actual;
        std::memcpy(actual.data(), &gSprites[index], sizeof actual);
        EXPECT_EQ(actual, words) << "record " << index;
    }
    static constexpr uint32_t kZ = 0x44753628;     // 980.8462
    static constexpr uint32_t kSize = 0x455AC000;  // 3500
    static constexpr uint32_t kRed = 0xFFFF0000;

    kaDemoWorld world;
    kaShotState state;
};

// Stage 0 as a picture was drawn: colour and alpha, operation and two
// arguments each.
std::vector<unsigned> PictureStage(const kaRecordingDevice::Draw& draw) {
    std::vector<unsigned> states;
    for (unsigned state = 1; state <= 6; ++state) states.push_back(draw.stageState(0, state));
    return states;
}
const std::vector<unsigned> kTextureTimesDiffuse = {4, 2, 0, 4, 2, 0};

TEST_F(ShotTest, TheFirstActiveFrameSetsUpTheShotAndDrawsNothing) {
    ASSERT_EQ(gCharacterPath->LoadPath("qxPath02.spl"), 0);
    PlayShot(SceneShot(8), state, 0.1f, 25.0f);
    EXPECT_EQ(state.firstCall, 1) << "before its window";
    world.device.clearCalls();

    PlayShot(SceneShot(8), state, 0.1f, 25.3f);
    EXPECT_EQ(state.firstCall, 0);
    EXPECT_EQ(gCharacter->current, &gClips[0]);
    EXPECT_EQ(gCharacter->next, &gClips[3]);
    EXPECT_TRUE(gCharacter->blending);
    EXPECT_FLOAT_EQ(gCharacter->blendMs, 500);
    EXPECT_FLOAT_EQ(gCamera->path.points[0], 6000) << "cPath06.spl";
    EXPECT_FLOAT_EQ(gCharacterPath->path.points[0], 21000) << "qxPath01.spl";
    const std::vector<const void*> added = BatchRecords();
    ASSERT_EQ(added.size(), 8u);
    for (unsigned i = 0; i < 8; ++i) EXPECT_EQ(added[i], &gSprites[4 + i]);
    EXPECT_FLOAT_EQ(gClipClock.getRate(), 0.83f);
    EXPECT_TRUE(world.device.draws().empty());
    EXPECT_EQ(world.device.count("VertexBuffer.Lock"), 0u);
    EXPECT_EQ(world.device.count("setVertexShaderConstant"), 0u);
    EXPECT_FLOAT_EQ(state.p, 0);
}

TEST_F(ShotTest, TheOpeningShotStartsTheMusicAndWritesTheFirstFlares) {
    ASSERT_NE(gMusicStream, nullptr);
    EXPECT_FALSE(gMusicStream->isPlaying());
    PlayShot(SceneShot(1), state, 0.1f, 0.0f);
    EXPECT_TRUE(gMusicStream->isPlaying());
    EXPECT_EQ(gCharacter->current, &gClips[0]) << "slot 0 has played since start-up";
    EXPECT_FALSE(gCharacter->blending);
    EXPECT_FLOAT_EQ(gCamera->path.points[0], 1000);

    // Records 0, 3, 4 and 11 byte for byte: x, y, z, colour, size.
    ExpectRecord(0, {0xC5602789, 0x45612394, kZ, 0xFF00FFFF, kSize});
    ExpectRecord(3, {0xC5602789, 0xC59C39C3, kZ, 0xFF00FFFF, kSize});
    ExpectRecord(4, {0xC509C486, 0xC69BD623, kZ, 0xFFFFFF00, kSize});
    ExpectRecord(11, {0xC513D0B6, 0xC70E63E7, kZ, 0xFFFFFF00, kSize});
    const std::vector<const void*> added = BatchRecords();
    ASSERT_EQ(added.size(), 4u);
    EXPECT_EQ(added[3], &gSprites[3]);
}

TEST_F(ShotTest, TheRideFreesTheFirstStageAndTurnsAllThirtyOneFlaresRed) {
    SetUpScene(1, 0.0f);
    SetUpScene(8, 25.3f);
    const size_t liveBuffers = world.device.liveVertexBuffers().size();
    SetUpScene(10, 34.1f);
    EXPECT_EQ(gStage1, nullptr);
    EXPECT_EQ(world.device.liveVertexBuffers().size(), liveBuffers - 1);
    EXPECT_EQ(gHoverboard->meshes[0].refresh, 1);
    EXPECT_FLOAT_EQ(gClipClock.getRate(), 0.83f);
    EXPECT_FLOAT_EQ(gCamera->path.points[0], 9000);
    EXPECT_FLOAT_EQ(gCharacterPath->path.points[0], 22000);

    ExpectRecord(0, {0xC4EE3C1F, 0xC7406370, kZ, kRed, kSize});
    ExpectRecord(2, {0x456BE5B4, 0xC757D532, kZ, kRed, kSize});
    ExpectRecord(10, {0x456BE5B8, 0xC7C5B772, kZ, kRed, kSize});
    ExpectRecord(11, {0xC4EE3C18, 0xC7C5B772, kZ, kRed, kSize});
    ExpectRecord(12, {0xC4EE3C18, 0xC7C5B772, kZ, kRed, kSize});
    ExpectRecord(19, {0xC4EE3C10, 0xC805B5F7, kZ, kRed, kSize});
    ExpectRecord(20, {0x456532F0, 0xC805B5F7, kZ, kRed, kSize});
    ExpectRecord(21, {0x456BE5BC, 0xC8116ED8, kZ, kRed, kSize});
    ExpectRecord(30, {0xC4EE3C18, 0xC83660F6, kZ, kRed, kSize});
    const std::vector<const void*> added = BatchRecords();
    ASSERT_EQ(added.size(), 31u);
    for (unsigned i = 0; i < 31; ++i) EXPECT_NE(std::find(added.begin(), added.end(), &gSprites[i]), added.end()) << i;

    SetUpScene(11, 40.1f);
    EXPECT_EQ(gSpriteBatch->list.getCount(), 0u);
    EXPECT_EQ(gStage2, nullptr);
    EXPECT_EQ(gHoverboard, nullptr);
    EXPECT_FLOAT_EQ(gClipClock.getRate(), 1.0f);
    EXPECT_EQ(gCharacter->current, &gClips[8]);
}

TEST_F(ShotTest, TheKickRestartsTheClipClockSlowed) {
    world.AdvanceClock(5000);
    EXPECT_GT(gClipClock.Now(), 4999.0f);
    SetUpScene(12, 50.1f);
    EXPECT_EQ(gCloseStage, nullptr);
    EXPECT_FLOAT_EQ(gClipClock.getRate(), 0.3f);
    world.AdvanceClock(1000);
    EXPECT_NEAR(gClipClock.Now(), 300.0f, 1e-3f) << "reset, then a second at 0.3";
    EXPECT_EQ(gCharacter->current, &gClips[9]);
    EXPECT_FLOAT_EQ(gCamera->path.points[0], 12000);
}

// The skeleton: update, path, camera, MoveModel, BeginFrame, then the draws
// and the flashes.
TEST_F(ShotTest, ADrawingFrameMovesTheCharacterThenDrawsSkyStageFlaresCharacterAndFlashes) {
    SetUpAndDraw(8, 25.3f, 25.4f, 0.25f);
    EXPECT_FLOAT_EQ(state.p, 0.5f);
    EXPECT_FLOAT_EQ(state.target.y, 1950);

    const std::vector<kaVertexBuffer*> expected = {BufferOf(gSkybox), BufferOf(gStage1), gSpriteBatch->vertexBuffer,
                                                   BufferOf(gCharacter), gOverlay->vertexBuffer,
                                                   gOverlay->vertexBuffer, gOverlay->vertexBuffer};
    EXPECT_EQ(DrawnBuffers(), expected);
    const std::vector<kaRecordingDevice::Draw>& draws = world.device.draws();
    EXPECT_EQ(draws[1].pixelShader, gShaderRenderer->pDiffShader) << "stage without specular";
    EXPECT_EQ(draws[3].pixelShader, gShaderRenderer->pDiffSpecShader);
    EXPECT_EQ(draws[2].textures[0], gFlareTexture->texture);

    // Camera first, then the character's buffer, then the frame constants.
    EXPECT_LT(FirstCall("setMatrix"), FirstCall("VertexBuffer.Lock"));
    EXPECT_LT(FirstCall("VertexBuffer.Lock"), FirstCall("setVertexShaderConstant"));
    EXPECT_LT(FirstCall("setVertexShaderConstant"), FirstCall("DrawPrimitive"));

    // D = T - C + (P.x, P.y, 0); the camera looks 2500 above it from its path
    // shifted by P.
    const kaVector3f P = gCharacterPath->PointAt(0.06f * 0.5f);
    const kaVector3f C = Centre();
    const kaVector3f D = {300 - C.x + P.x, 1950 - C.y + P.y, 1320 - C.z};
    ExpectNear(Displacement(gCharacter), D, "character");
    ExpectNear(gCamera->target, {D.x, D.y, D.z + 2500}, "target");
    const kaVector3f onPath = gCamera->PointAt(0.5f);
    ExpectNear(gCamera->eye, {onPath.x + P.x, onPath.y + P.y, onPath.z + P.z}, "eye");
}

TEST_F(ShotTest, TheSecondShotBeginsTheFrameBeforeMovingTheCharacter) {
    SetUpAndDraw(2, 7.4f, 7.5f);
    EXPECT_LT(FirstCall("setVertexShaderConstant"), FirstCall("VertexBuffer.Lock"));
    ExpectNear(gCamera->target, {300 - Centre().x, 3450 - Centre().y, 1320 - Centre().z + 2000}, "target");
}

TEST_F(ShotTest, ThePortraitShotHoldsStillUnderThePicture) {
    SetUpScene(1, 0.0f);
    const kaVector3f eye = gCamera->eye;
    SetUpAndDraw(9, 31.6f, 31.7f);
    EXPECT_FLOAT_EQ(state.p, 0);
    ExpectNear(gCamera->eye, eye, "the camera stands");
    EXPECT_EQ(world.device.recorded(BufferOf(gCharacter))->lockCount(), 1u) << "only at loading";
    const std::vector<kaVertexBuffer*> expected = {BufferOf(gSkybox), BufferOf(gStage1), gSpriteBatch->vertexBuffer,
                                                   BufferOf(gCharacter), gOverlay->vertexBuffer};
    EXPECT_EQ(DrawnBuffers(), expected);
    EXPECT_EQ(world.device.draws().back().textures[0], gTextures[0].texture);
    EXPECT_EQ(world.device.draws().back().pixelShader, nullptr) << "not through the bump shader";
    EXPECT_EQ(PictureStage(world.device.draws().back()), kTextureTimesDiffuse) << "the flares' colour";
    const kaOverlayQuad& quad = *gOverlayQuad;
    EXPECT_EQ(std::vector<float>({quad.x0, quad.y0, quad.x1, quad.y1, quad.tu0, quad.tv0, quad.tu1, quad.tv1}),
              std::vector<float>({1, 1, 0, 0.5f, 0, 0, -1, 1}));
    unsigned value = 0;
    world.device.getRenderState(20, &value);
    EXPECT_EQ(value, 6u) << "inverse source alpha";
    world.device.getRenderState(27, &value);
    EXPECT_EQ(value, 0u);
    EXPECT_EQ(gOverlay->list.getCount(), 0u);
}

// The title follows the flashes of the frame before, which leave stage 0 on
// the diffuse colour alone; it is drawn as texture x diffuse all the same.
TEST_F(ShotTest, TheTitleIsDrawnAsTextureTimesDiffuseAfterTheFlashes) {
    SetUpAndDraw(11, 40.1f, 40.5f);
    world.device.clearCalls();
    PlayShot(SceneShot(11), state, 0.1f, 40.6f);
    const std::vector<kaRecordingDevice::Draw>& draws = world.device.draws();
    ASSERT_EQ(draws.size(), 2u + 1u + 5u);
    EXPECT_EQ(draws[2].textures[0], gTextures[1].texture);
    EXPECT_EQ(PictureStage(draws[2]), kTextureTimesDiffuse);
    EXPECT_EQ(draws[3].stageState(0, 1), 2u) << "the flash selects the diffuse colour";
}

TEST_F(ShotTest, TheRideMovesAndDrawsTheHoverboardAfterTheCharacter) {
    SetUpAndDraw(10, 34.1f, 34.2f, 0.5f);
    const std::vector<kaVertexBuffer*> drawn = DrawnBuffers();
    ASSERT_EQ(drawn.size(), 5u + 7u) << "seven flashes";
    EXPECT_EQ(drawn[1], BufferOf(gStage2));
    EXPECT_EQ(drawn[3], BufferOf(gCharacter));
    EXPECT_EQ(drawn[4], BufferOf(gHoverboard));
    ExpectNear(Displacement(gHoverboard), {1002, -171342, 1500}, "hoverboard");

    const kaVector3f P = gCharacterPath->PointAt(0.026f * 1.0f);
    const kaVector3f C = Centre();
    ExpectNear(Displacement(gCharacter), {919 - C.x + P.x - 600, -51785 - C.y + P.y, 1267 - C.z}, "character");
    const kaVector3f onPath = gCamera->PointAt(0.5f);
    ExpectNear(gCamera->eye, {onPath.x + P.x, onPath.y + P.y, onPath.z}, "eye at half the parameter");
}

TEST_F(ShotTest, TheKickPlacesTheCharacterByItsPositionAndLooksAboveTheOrigin) {
    SetUpAndDraw(13, 54.6f, 54.7f, 0.5f);
    EXPECT_FLOAT_EQ(state.p, 0.5f) << "one unit a second";
    const kaVector3f Pc = kaDemoWorld::kPosition;
    ExpectNear(Displacement(gCharacter), {2000 - Pc.x, -5000 - Pc.y, 0}, "character");
    ExpectNear(gCamera->target, {0, 0, 1000}, "target");
    ExpectNear(gShaderRenderer->lightOffset, {0, -3000, 1000}, "light");
    const std::vector<kaVertexBuffer*> expected = {BufferOf(gCloseStage2), BufferOf(gCharacter)};
    EXPECT_EQ(DrawnBuffers(), expected);
    EXPECT_EQ(world.device.draws()[0].pixelShader, gShaderRenderer->pDiffSpecShader);
}

TEST_F(ShotTest, TheFlightsFollowTheCharacterPath) {
    SetUpAndDraw(22, 112.1f, 112.2f, 0.5f);
    kaVector3f P = gCharacterPath->PointAt(0.3f * 0.5f);
    const kaVector3f C = Centre();
    const kaVector3f D = {-C.x + P.x, -C.y + P.y, -C.z + P.z};
    ExpectNear(Displacement(gCharacter), D, "flight");
    ExpectNear(gCamera->target, D, "target");
    kaVector3f onPath = gCamera->PointAt(0.75f);
    ExpectNear(gCamera->eye, {onPath.x, onPath.y, onPath.z + P.z + 2000}, "eye");
    EXPECT_FLOAT_EQ(gClipClock.getRate(), 0);

    kaShotState last;
    PlayShot(SceneShot(23), last, 0.5f, 115.6f);
    world.device.clearCalls();
    PlayShot(SceneShot(23), last, 0.5f, 115.7f);
    P = gCharacterPath->PointAt(0.8f * 0.5f);
    ExpectNear(gCamera->target, {0, 0, P.z}, "last target");
    onPath = gCamera->PointAt(1.0f);
    ExpectNear(gCamera->eye, {onPath.x, onPath.y - 2000, onPath.z - 1000}, "last eye");
    const std::vector<kaVertexBuffer*> expected = {BufferOf(gSkybox), BufferOf(gFinal), BufferOf(gCharacter)};
    EXPECT_EQ(DrawnBuffers(), expected);
    EXPECT_LT(FirstCall("setRenderState"), FirstCall("DrawPrimitive"));
    EXPECT_EQ(world.device.callsNamed("setRenderState")[0].u(0), 22u);
    EXPECT_EQ(world.device.callsNamed("setRenderState")[0].u(1), 1u);
}

// Each flashing scene draws all its flashes every frame, after everything
// else; the overlay's vertices show the frame's last one.
TEST_F(ShotTest, FlashesAreDrawnEveryFrameOfTheirScenesAndRiseToFullAtTheirEnds) {
    struct Case {
        unsigned scene;
        float setUp, t;
        unsigned overlays;       // flashes, and the title in scene 11
        float lastStart, lastEnd;  // the last flash's window
    };
    const Case cases[] = {{5, 17.05f, 18.6999f, 3, 18.65f, 19.0f},      {7, 23.6f, 25.1999f, 3, 25.65f, 26.0f},
                          {8, 25.3f, 31.5f, 3, 31.65f, 32.0f},       {10, 34.1f, 39.6f, 7, 39.1f, 39.6f},
                          {10, 34.1f, 39.35f, 7, 39.1f, 39.6f},      {11, 40.05f, 46.0f, 6, 45.65f, 46.0f},
                          {15, 82.1f, 85.9f, 5, 89.55f, 89.9f},      {17, 90.1f, 92.0f, 5, 96.05f, 96.4f},
                          {18, 94.1f, 100.0f, 5, 102.05f, 102.4f},   {19, 100.1f, 104.0f, 5, 108.15f, 108.5f}};
    for (const Case& c : cases) {
        kaShotState fresh;
        PlayShot(SceneShot(c.scene), fresh, 0.01f, c.setUp);
        world.device.clearCalls();
        PlayShot(SceneShot(c.scene), fresh, 0.01f, c.t);
        const std::vector<kaVertexBuffer*> drawn = DrawnBuffers();
        EXPECT_EQ(std::count(drawn.begin(), drawn.end(), gOverlay->vertexBuffer), long(c.overlays)) << c.scene;
        ASSERT_FALSE(drawn.empty()) << c.scene;
        EXPECT_EQ(drawn.back(), gOverlay->vertexBuffer);
        float a = SplineBlend(0, 0, 1, 0, (c.t - c.lastStart) / (c.lastEnd - c.lastStart));
        if (a < 0 || a > 1) a = 0;
        EXPECT_EQ(OverlayAlpha(), unsigned(a * 255)) << c.scene << " at " << c.t;
    }
}

}  // namespace
