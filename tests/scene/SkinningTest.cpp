#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "kaAnimClip.h"
#include "kaCharacter.h"
#include "kaVectorChecks.h"

namespace {

kaBone MakeBone(int parent, const float (&position)[3], const float (&angles)[3]) {
    kaBone bone = {};
    bone.parent = static_cast<int16_t>(parent);
    std::memcpy(bone.restPosition, position, sizeof position);
    std::memcpy(bone.restAngles, angles, sizeof angles);
    return bone;
}

kaAnimKey Key(float time, float x, float angleZ) {
    return kaAnimKey{time, {x, 0, 0}, {0, 0, angleZ}};
}

kaAnimClip MakeClip(float durationMs, std::vector<std::vector<kaAnimKey>> trackKeys) {
    kaAnimClip clip;
    clip.durationMs = durationMs;
    clip.trackCount = static_cast<int16_t>(trackKeys.size());
    clip.tracks.resize(trackKeys.size());
    for (size_t t = 0; t < trackKeys.size(); ++t) {
        clip.tracks[t].keyCount = static_cast<int32_t>(trackKeys[t].size());
        clip.tracks[t].keys = trackKeys[t];
    }
    return clip;
}

// A character without a file: bones and one mesh set up by hand.
class SkinningTest : public ::testing::Test {
protected:
    void AddBone(int parent, const float (&position)[3], const float (&angles)[3]) {
        character.bones.push_back(MakeBone(parent, position, angles));
        character.boneCount = static_cast<int32_t>(character.bones.size());
    }

    // One mesh whose vertex j sits at (j + 1, 2j, 3) with normal +z and
    // tangent +x; withFrames gives it tangent frames (texture coordinates).
    void AddMesh(const std::vector<kaSkinVertex>& skin, bool withFrames) {
        character.meshes = std::vector<kaMesh>(1);
        character.meshCount = 1;
        kaMesh& mesh = character.meshes[0];
        mesh.vertexCount = static_cast<uint32_t>(skin.size());
        for (size_t j = 0; j < skin.size(); ++j) {
            mesh.positions.insert(mesh.positions.end(), {float(j + 1), float(2 * j), 3});
            mesh.normals.insert(mesh.normals.end(), {0, 0, 1});
            if (withFrames) mesh.frames.push_back(kaTangentFrame{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}});
        }
        mesh.coordCount = withFrames ? 1 : 0;
        character.skins = {kaSkin{static_cast<int32_t>(skin.size()), skin}};
        character.skinCount = 1;
    }

    static kaSkinVertex Vertex(uint8_t kind, int bone = -1,
                               std::vector<std::pair<int, float>> weights = {}) {
        kaSkinVertex v = {};
        v.kind = kind;
        v.bone = static_cast<int16_t>(bone);
        for (const auto& w : weights) {
            kaSkinInfluence influence = {};
            influence.bone = static_cast<int16_t>(w.first);
            influence.weight = w.second;
            v.influences.push_back(influence);
        }
        v.influenceCount = static_cast<int16_t>(v.influences.size());
        return v;
    }

    // The rest pose as a pose per bone.
    std::vector<kaBonePose> RestPoses() const {
        std::vector<kaBonePose> poses;
        for (const kaBone& bone : character.bones) {
            kaBonePose pose;
            std::memcpy(pose.position, bone.restPosition, sizeof pose.position);
            kaAnimMath::EulerToQuat(bone.restAngles, pose.rotation);
            poses.push_back(pose);
        }
        return poses;
    }

    const float* Position(size_t j) const { return &character.meshes[0].positions[3 * j]; }
    const kaTangentFrame& Frame(size_t j) const { return character.meshes[0].frames[j]; }

    kaCharacter character;
};

}  // namespace

TEST_F(SkinningTest, ClipTimeWrapsTheClockIntoTheDurationForwards) {
    AddBone(-1, {0, 0, 0}, {0, 0, 0});
    // Position x rises by 1 per millisecond over the whole clip.
    kaAnimClip clip = MakeClip(2000, {{Key(0, 0, 0), Key(2000, 2000, 0)}});
    const struct {
        float clock, clipTime;
    } cases[] = {{2500, 500}, {-500, 1500}, {0, 0}, {4000, 0}, {-4000, 2000}, {1999, 1999}};
    for (const auto& c : cases) {
        character.SampleClip(clip, c.clock);
        EXPECT_NEAR(clip.tracks[0].position[0], c.clipTime, 1e-3f) << "clock " << c.clock;
    }
}

TEST_F(SkinningTest, KeysAreFoundByTimeAndExtrapolatedPastTheLast) {
    AddBone(-1, {0, 0, 0}, {0, 0, 0});
    // Keys at 0, 50 and 100 ms with slopes 0.2 then 0.4 per millisecond.
    kaAnimClip clip = MakeClip(2000, {{Key(0, 0, 0), Key(50, 10, 0.2f), Key(100, 30, 0.6f)}});
    const struct {
        float t, x, angleZ;
    } cases[] = {
        {75, 20, 0.4f},     // keys 1 and 2, f = 0.5
        {120, 38, 0.76f},   // keys 1 and 2, f = 1.4
        {0, 0, 0},          // keys 0 and 1, f = 0
        {25, 5, 0.1f},      // keys 0 and 1, f = 0.5
        {50, 10, 0.2f},     // key 1 itself
        {100, 30, 0.6f},    // key 2 itself
    };
    for (const auto& c : cases) {
        character.SampleClip(clip, c.t);
        const kaAnimTrack& track = clip.tracks[0];
        EXPECT_NEAR(track.position[0], c.x, 1e-4f) << "t " << c.t;
        EXPECT_NEAR(track.rotation[2], std::sin(c.angleZ / 2), 1e-5f) << "t " << c.t;
        EXPECT_NEAR(track.rotation[3], std::cos(c.angleZ / 2), 1e-5f) << "t " << c.t;
    }
}

TEST_F(SkinningTest, TracksWithoutKeysRestAndSingleKeysHoldForEveryTime) {
    AddBone(-1, {1, 2, 3}, {0, 0, 0.5f});
    AddBone(0, {4, 5, 6}, {0, 0, 0});
    kaAnimClip clip = MakeClip(1000, {{}, {Key(0, 7, 0.3f)}});
    for (float clock : {0.0f, 250.0f, 999.0f, -10.0f}) {
        character.SampleClip(clip, clock);
        ExpectVector(clip.tracks[0].position, 1, 2, 3);
        EXPECT_NEAR(clip.tracks[0].rotation[2], std::sin(0.25f), 1e-6f);
        ExpectVector(clip.tracks[1].position, 7, 0, 0);
        EXPECT_NEAR(clip.tracks[1].rotation[2], std::sin(0.15f), 1e-6f);
        EXPECT_NEAR(clip.tracks[1].rotation[3], std::cos(0.15f), 1e-6f);
    }
}

TEST_F(SkinningTest, BindPoseRoundTripAndUnnormalisedWeights) {
    AddBone(-1, {1, 0, 0}, {0, 0, 0});
    AddBone(0, {0, 2, 0}, {0, 0, kPi / 2});
    AddMesh({Vertex(0), Vertex(1, 1), Vertex(2, -1, {{0, 0.25f}, {1, 0.25f}}), Vertex(2),
             Vertex(7)},
            true);
    character.ComputeBindPose();
    character.ToBoneSpace();
    character.meshes[0].refresh = 0;
    character.Skin(1);

    EXPECT_EQ(character.meshes[0].refresh, 1);
    ExpectVector(Position(0), 1, 0, 3);  // kind 0 keeps its position
    ExpectVector(Position(1), 2, 2, 3);  // kind 1 is back where it was
    ExpectVector(Frame(1).normal, 0, 0, 1);
    ExpectVector(Frame(1).tangent, 1, 0, 0);
    ExpectVector(Position(2), 1.5f, 2, 1.5f);  // weights sum to 0.5: half way to the origin
    ExpectVector(Frame(2).tangent, 0.5f, 0, 0);
    ExpectVector(Position(3), 0, 0, 0);  // no influences
    ExpectVector(Frame(3).normal, 0, 0, 0);
    ExpectVector(Frame(3).tangent, 0, 0, 0);
    ExpectVector(Position(4), 5, 8, 3);  // an unknown kind acts as 0
    ExpectVector(Frame(4).binormal, 0, 1, 0);
}

TEST_F(SkinningTest, PosedBonesMoveTheirVerticesAndChildren) {
    AddBone(-1, {1, 0, 0}, {0, 0, 0});
    AddBone(0, {0, 2, 0}, {0, 0, 0});
    AddMesh({Vertex(1, 0), Vertex(1, 1), Vertex(2, -1, {{0, 0.5f}, {1, 0.5f}})}, true);
    character.ComputeBindPose();
    character.ToBoneSpace();

    // Turn the root a quarter about z: every vertex turns about (1, 0, 0).
    std::vector<kaBonePose> poses = RestPoses();
    const float quarter[3] = {0, 0, kPi / 2};
    kaAnimMath::EulerToQuat(quarter, poses[0].rotation);
    character.PoseBones(poses.data());
    ExpectVector(&character.bones[1].absolute.m[0][0], 0, -1, 0);  // row 0 of a z quarter turn
    EXPECT_NEAR(character.bones[1].absolute.m[0][3], -1, 1e-5f);  // child origin (1,0,0)+R(0,2,0)
    EXPECT_NEAR(character.bones[1].absolute.m[1][3], 0, 1e-5f);

    character.Skin(0);
    ExpectVector(Position(0), 1, 0, 3);   // (1, 0, 3) turned about (1, 0, 0)
    ExpectVector(Position(1), -1, 1, 3);  // (2, 2, 3) -> offset (1, 2) -> (-2, 1)
    ExpectVector(Position(2), -3, 2, 3);  // (3, 4, 3) by both bones alike
    ExpectVector(Frame(1).tangent, 1, 0, 0);  // refresh 0: frames untouched

    character.Skin(1);
    ExpectVector(Frame(1).tangent, 0, 1, 0);
    ExpectVector(Frame(2).tangent, 0, 1, 0);
    ExpectVector(Frame(2).normal, 0, 0, 1);
}

TEST_F(SkinningTest, MeshWithoutTextureCoordinatesSkinsPositionsOnly) {
    AddBone(-1, {0, 0, 0}, {0, 0, 0});
    AddMesh({Vertex(1, 0), Vertex(2, -1, {{0, 1.0f}})}, false);
    character.ComputeBindPose();
    character.ToBoneSpace();
    std::vector<kaBonePose> poses = RestPoses();
    poses[0].position[2] = 10;
    character.PoseBones(poses.data());
    character.Skin(1);
    EXPECT_TRUE(character.meshes[0].frames.empty());
    ExpectVector(Position(0), 1, 0, 13);
    ExpectVector(Position(1), 2, 2, 13);
}
