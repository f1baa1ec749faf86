// Every clip posed on the character's skeleton, key by key: it drives every
// bone, loops without a jump, moves, and never tears the body apart.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>

#include "kaAnimClip.h"
#include "kaMediaFolder.h"
#include "kaPosedCharacter.h"

namespace {

const char* const kClips[] = {
    "qx_ajusta_luva.tda", "qx_ajusta_oculos.tda", "qx_ajusta_tomates.tda", "qx_corre.tda", "qx_respira.tda",
    "qx_ajusta_anal.tda", "qx_agarra_hoverboard.tda", "qx_pontape.tda", "qx_dancar.tda", "qx_gozo1.tda",
    "qx_gozo2.tda", "qx_gozo3.tda", "qx_gozo4.tda", "qx_gozo5.tda", "qx_gozo6.tda", "qx_gozo7.tda",
    "qx_gozo8.tda", "qx_voa.tda",
};

// Limits of a sane pose: the body stays within this reach of the model's
// origin sideways, between these heights, and keeps most of its height.
constexpr float kReach = 1600.0f;
constexpr float kLowest = -150.0f;
constexpr float kHighest = 4000.0f;
constexpr float kShortest = 900.0f;
// Samples per key interval, and the most any side of the box may move
// from one sample to the next.
constexpr int kSamplesPerKey = 3;
constexpr float kStep = 200.0f;

class ClipMotionTest : public ::testing::TestWithParam<const char*> {
protected:
    kaMediaFolder folder;
};

TEST_P(ClipMotionTest, LoopsOnTheSkeletonWithSanePoses) {
    kaPosedCharacter posed;
    ASSERT_TRUE(posed.Load());
    kaAnimClip clip;
    ASSERT_EQ(clip.LoadClip(GetParam()), 1);
    ASSERT_EQ(clip.trackCount, posed.character.boneCount);
    for (const kaAnimTrack& track : clip.tracks) {
        ASSERT_EQ(track.keyCount, clip.frameCount + 1) << track.name;
        const kaAnimKey& first = track.keys.front();
        const kaAnimKey& last = track.keys.back();
        EXPECT_EQ(std::memcmp(first.position, last.position, sizeof first.position), 0) << track.name;
        EXPECT_EQ(std::memcmp(first.rotation, last.rotation, sizeof first.rotation), 0) << track.name;
        EXPECT_FLOAT_EQ(last.time, clip.durationMs) << track.name;
    }
    // Over one whole loop and into the next, between the keys too.
    float motion = 0.0f;
    const int samples = (clip.frameCount + 1) * kSamplesPerKey;
    const kaPosedCharacter::Box start = posed.PoseBox(clip, 0.0f);
    kaPosedCharacter::Box previous = start;
    for (int i = 0; i <= samples; ++i) {
        const float clock = clip.durationMs * float(i) / float(clip.frameCount * kSamplesPerKey);
        const kaPosedCharacter::Box box = posed.PoseBox(clip, clock);
        SCOPED_TRACE("clock " + std::to_string(clock));
        for (int axis = 0; axis < 2; ++axis) {
            EXPECT_GT(box.minimum[axis], -kReach);
            EXPECT_LT(box.maximum[axis], kReach);
        }
        EXPECT_GT(box.minimum[2], kLowest);
        EXPECT_LT(box.maximum[2], kHighest);
        EXPECT_GT(box.Size(2), kShortest);
        for (int axis = 0; axis < 3; ++axis) {
            const float moved = std::fmax(std::fabs(box.minimum[axis] - previous.minimum[axis]),
                                          std::fabs(box.maximum[axis] - previous.maximum[axis]));
            EXPECT_LT(moved, kStep);
            motion = std::fmax(motion, std::fmax(std::fabs(box.minimum[axis] - start.minimum[axis]),
                                                 std::fabs(box.maximum[axis] - start.maximum[axis])));
        }
        previous = box;
    }
    EXPECT_GT(motion, 15.0f) << "the clip moves the character";
}

INSTANTIATE_TEST_SUITE_P(Clips, ClipMotionTest, ::testing::ValuesIn(kClips), [](const auto& info) {
    std::string name = info.param;
    return name.substr(0, name.find('.'));
});

}  // namespace
