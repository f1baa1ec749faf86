#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "kaAnimClip.h"
#include "kaCharacter.h"
#include "kaClipClock.h"
#include "kaDeviceGlobal.h"
#include "kaMediaTree.h"
#include "kaRecordingDevice.h"
#include "kaRecordingMessageBoxes.h"
#include "kaTestModels.h"

namespace {

uint32_t sCounter = 0;
uint32_t ScriptedCounter() { return sCounter; }

// Overwrites the rest position and angles of bone `index` of `count` in TDM
// bytes whose bones have one-letter names (28 bytes a record, at the end).
void SetRest(std::string& tdm, int index, int count, std::initializer_list<float> values) {
    size_t at = tdm.size() - size_t(count - index) * 28 + 4;
    for (float v : values) {
        std::memcpy(&tdm[at], &v, 4);
        at += 4;
    }
}

// A clip of `tracks` identical tracks whose x position runs linearly from
// x0 at clip time 0 to x1 at 1000 ms.
kaAnimClip Ramp(int tracks, float x0, float x1) {
    kaAnimClip clip;
    clip.durationMs = 1000;
    clip.frameCount = 1;
    clip.trackCount = static_cast<int16_t>(tracks);
    clip.tracks.resize(tracks);
    for (kaAnimTrack& track : clip.tracks) {
        track.keyCount = 2;
        track.keys = {kaAnimKey{0, {x0, 0, 0}, {0, 0, 0}}, kaAnimKey{1000, {x1, 0, 0}, {0, 0, 0}}};
    }
    return clip;
}

class CharacterTest : public ::testing::Test {
protected:
    CharacterTest() {
        gDevice = &device;
        gClipClock.setCounter(ScriptedCounter);
        gClipClock.SetRate(1.0f);
        sCounter = 0;
        gClipClock.Reset();
    }
    ~CharacterTest() override {
        gClipClock.setCounter(kaClipClock::PlatformCounter);
        gClipClock.SetRate(1.0f);
        gClipClock.Reset();
        gDevice = nullptr;
    }

    // Two bones: a root at (1, 0, 0) and a child at (0, 2, 0) from it turned
    // a quarter about z.  One triangle: a kind-1 vertex on the child, a
    // weighted vertex and a vertex on no bone.
    std::string Model(unsigned childBone = 1) const {
        kaTestModels::Mesh mesh = kaTestModels::Triangle();
        mesh.vertices[0].kind = 1;
        mesh.vertices[0].bone = childBone;
        mesh.vertices[0].position[2] = 3;
        mesh.vertices[1].kind = 2;
        mesh.vertices[1].influences = {{0, 0.5f}, {1, 0.5f}};
        std::string tdm = kaTestModels::Tdm({}, {mesh}, {{"r", -1}, {"c", 0}});
        SetRest(tdm, 0, 2, {1, 0, 0, 0, 0, 0});
        SetRest(tdm, 1, 2, {0, 2, 0, 0, 0, 1.5707963f});
        return tdm;
    }

    void LoadCharacter() {
        media.put("xModels/figure.tdm", Model());
        ASSERT_EQ(character.LoadModel("figure.tdm"), 1);
    }

    void Advance(uint32_t ms) { sCounter += ms; }

    // Plays `from`, lets `ms` pass, updates and starts fading into `to`.
    int PlayThenFade(kaAnimClip& from, uint32_t ms, kaAnimClip& to, float blendMs) {
        character.PlayClip(&from, 0);
        Advance(ms);
        character.Update(1);
        return character.PlayClip(&to, blendMs);
    }
    // x translation of the root as posed by the last Update.
    float RootX() const { return character.bones[0].local.m[0][3]; }

    kaRecordingDevice device;
    kaMediaTree media;
    kaRecordingMessageBoxes boxes;
    kaCharacter character;
};

}  // namespace

TEST_F(CharacterTest, LoadingBuildsSkeletonAndSkinInTheBindPose) {
    LoadCharacter();
    EXPECT_EQ(character.boneCount, 2);
    EXPECT_EQ(character.skinCount, 1);
    EXPECT_STREQ(character.bones[1].name, "c");
    const kaSkin& skin = character.skins[0];
    ASSERT_EQ(skin.vertexCount, 3);
    EXPECT_EQ(skin.vertices[0].bone, 1);
    EXPECT_EQ(skin.vertices[1].bone, -1);
    EXPECT_EQ(skin.vertices[1].influenceCount, 2);
    EXPECT_EQ(skin.vertices[2].influenceCount, 0);
    // The child's origin is (1, 2, 0); the vertex at (0, 0, 3) lies at
    // (-1, -2, 3) from it, which a quarter turn back makes (-2, 1, 3).
    EXPECT_NEAR(skin.vertices[0].position[0], -2.0f, 1e-5f);
    EXPECT_NEAR(skin.vertices[0].position[1], 1.0f, 1e-5f);
    // Skinned in the bind pose, every vertex is where the file put it.
    const float expected[9] = {0, 0, 3, 1, 0, 0, 0, 1, 0};
    for (int i = 0; i < 9; ++i) EXPECT_NEAR(character.meshes[0].positions[i], expected[i], 1e-5f);
    EXPECT_FLOAT_EQ(character.position[0], 1.0f);
    EXPECT_EQ(character.meshes[0].refresh, 1);
    EXPECT_TRUE(boxes.boxes().empty());

    // No clip yet: Update leaves the bind pose alone.
    character.meshes[0].refresh = 0;
    character.Update(1);
    EXPECT_EQ(character.meshes[0].refresh, 0);
}

// Stray skin data does not stop a stage model, which never uses its bones,
// but the character cannot follow a bone its file does not have.
TEST_F(CharacterTest, FilesThatCannotMakeASkeletonAreRefused) {
    media.put("xModels/bad.tdm", Model(2));  // a vertex on a bone that does not exist
    kaMeshModel stage;
    ASSERT_EQ(stage.Load("bad.tdm"), 0);
    ASSERT_NE(stage.meshes[0].buffer, nullptr);
    EXPECT_EQ(device.recorded(stage.meshes[0].buffer)->floatAt(0, kaVertexLayout::POSITION, 2), 3.0f);
    stage.Release();
    EXPECT_EQ(character.LoadModel("bad.tdm"), 0);
    EXPECT_EQ(character.boneCount, 0);
    kaTestModels::Mesh weighted = kaTestModels::Triangle();
    weighted.vertices[1].kind = 2;
    weighted.vertices[1].influences = {{0, 0.5f}, {5, 0.5f}};
    media.put("xModels/weights.tdm", kaTestModels::Tdm({}, {weighted}, {{"r", -1}}));
    EXPECT_EQ(character.LoadModel("weights.tdm"), 0);
    media.put("xModels/static.tdm", kaTestModels::Tdm({}, {kaTestModels::Triangle()}, {}));
    EXPECT_EQ(character.LoadModel("static.tdm"), 0);
    EXPECT_EQ(character.LoadModel("missing.tdm"), 0);
    // A TDM file under another extension: the mesh model refuses it (and
    // keeps the static model's triangle), so there is nothing to skin.
    media.put("xModels/figure.obj", Model());
    EXPECT_EQ(character.LoadModel("figure.obj"), 0);
    EXPECT_EQ(character.boneCount, 0);
    EXPECT_EQ(character.skinCount, 0);
    EXPECT_FALSE(boxes.boxes().empty());
}

TEST_F(CharacterTest, ANewModelWithoutBonesDropsTheOldSkeletonAndClip) {
    LoadCharacter();
    kaAnimClip a = Ramp(2, 0, 1000);
    character.PlayClip(&a, 0);
    kaTestModels::Mesh point = kaTestModels::Triangle();
    point.vertices.resize(1);
    point.faces = {0, 0, 0, 0, 0, 0};
    media.put("xModels/point.tdm", kaTestModels::Tdm({}, {point}, {}));
    EXPECT_EQ(character.LoadModel("point.tdm"), 0);
    EXPECT_EQ(character.meshes[0].vertexCount, 1u);
    EXPECT_EQ(character.boneCount, 0);
    EXPECT_EQ(character.current, nullptr);
    Advance(100);
    character.Update(1);  // nothing to play: the one-vertex mesh is left alone
    EXPECT_FLOAT_EQ(character.meshes[0].positions[0], 0.0f);
}

TEST_F(CharacterTest, ClipsAreRefusedOrTaken) {
    kaAnimClip a = Ramp(2, 0, 1000), b = Ramp(2, 0, 1000), wide = Ramp(3, 0, 1000);
    EXPECT_EQ(character.PlayClip(&a, 0), 0);  // nothing loaded yet
    LoadCharacter();
    EXPECT_EQ(character.PlayClip(nullptr, 0), 0);
    EXPECT_EQ(character.PlayClip(&wide, 0), 0);
    // The very first clip cuts in whatever the blend.
    EXPECT_EQ(character.PlayClip(&a, 1000), 1);
    EXPECT_EQ(character.current, &a);
    EXPECT_FALSE(character.blending);
    EXPECT_EQ(character.PlayClip(&a, 0), 0);
    // A negative blend is no blend.
    EXPECT_EQ(character.PlayClip(&b, -200), 1);
    EXPECT_EQ(character.current, &b);
    EXPECT_FALSE(character.blending);
    EXPECT_EQ(character.blendMs, 0.0f);
}

TEST_F(CharacterTest, CrossFadeRunsFromTheFrozenPoseToTheLiveClip) {
    LoadCharacter();
    kaAnimClip a = Ramp(2, 100, 1100), b = Ramp(2, 1000, 0);
    ASSERT_EQ(PlayThenFade(a, 10, b, 400), 1);
    EXPECT_FLOAT_EQ(RootX(), 110);
    EXPECT_TRUE(character.blending);
    EXPECT_FLOAT_EQ(character.blendStart, 10);

    const struct {
        uint32_t step;
        float x;
        bool blending;
    } frames[] = {
        {100, 110 + (890 - 110) * 0.25f, true},  // A frozen at 110, B live at 890
        {200, 110 + (690 - 110) * 0.75f, true},
        {100, 690, false},  // the fade is over: B as sampled in the previous frame
        {40, 550, false},   // B sampled again
    };
    for (const auto& f : frames) {
        Advance(f.step);
        character.Update(1);
        EXPECT_NEAR(RootX(), f.x, 1e-3f) << "at " << sCounter;
        EXPECT_EQ(character.blending, f.blending) << "at " << sCounter;
    }
    EXPECT_EQ(character.current, &b);
    EXPECT_EQ(character.next, nullptr);
    EXPECT_FLOAT_EQ(a.tracks[0].position[0], 110);
}

TEST_F(CharacterTest, RateZeroFreezesClipsAndFades) {
    LoadCharacter();
    kaAnimClip a = Ramp(2, 0, 1000), b = Ramp(2, 500, 500);
    PlayThenFade(a, 100, b, 200);
    Advance(50);
    character.Update(1);
    const float x = RootX();
    EXPECT_NEAR(x, 100 + 400 * 0.25f, 1e-3f);
    gClipClock.SetRate(0.0f);
    Advance(5000);
    character.Update(1);
    EXPECT_FLOAT_EQ(RootX(), x);
    EXPECT_TRUE(character.blending);
    gClipClock.SetRate(1.0f);
    Advance(150);
    character.Update(1);
    EXPECT_FLOAT_EQ(RootX(), 500);  // the fade ended 200 clock ms after it began
}

TEST_F(CharacterTest, ClockScalesElapsedMillisecondsAndResetsToZero) {
    Advance(5000);
    gClipClock.Reset();
    EXPECT_EQ(gClipClock.Now(), 0.0f);
    Advance(250);
    EXPECT_EQ(gClipClock.Now(), 250.0f);
    EXPECT_EQ(gClipClock.Now(), 250.0f);  // reading again adds nothing
    // A new rate applies to the time since the previous reading.
    gClipClock.SetRate(0.3f);
    Advance(6667);
    EXPECT_NEAR(gClipClock.Now(), 250 + 2000.1f, 1e-2f);
    gClipClock.SetRate(0.0f);
    Advance(1000);
    EXPECT_NEAR(gClipClock.Now(), 2250.1f, 1e-2f);
}

TEST_F(CharacterTest, ClockKeepsWholeMillisecondsAfterLongUptimeAndAcrossTheWrap) {
    // 49 days of uptime: a single float holds the counter only to 256 ms.
    sCounter = 0xFFFF0000u;
    gClipClock.Reset();
    for (int frame = 1; frame <= 10000; ++frame) {
        Advance(16);
        ASSERT_EQ(gClipClock.Now(), 16.0f * frame) << frame;  // passes 2^32 on the way
    }
    EXPECT_LT(sCounter, 0xFFFF0000u);
}
