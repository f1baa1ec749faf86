#include <gtest/gtest.h>

#include <cmath>

#include "DemoFrame.h"
#include "Scenes.h"
#include "kaShot.h"

namespace {

// The scenes active at music time t, as a bit per scene.
unsigned ActiveScenes(float t) {
    unsigned active = 0;
    for (unsigned n = 1; n <= kSceneCount; ++n) {
        if (isShotActive(SceneShot(n), t)) active |= 1u << (n - 1);
    }
    return active;
}

unsigned Only(unsigned scene) { return 1u << (scene - 1); }

TEST(DemoClockTest, TurnsTheMusicPositionIntoSecondsAndEndsAt117Point7) {
    float t = -1;
    EXPECT_EQ(DemoClock(0, &t), 1);
    EXPECT_EQ(t, 0.0f);
    EXPECT_EQ(DemoClock(117699, &t), 1);
    EXPECT_EQ(t, 117699 * 0.001f);
    EXPECT_EQ(DemoClock(117700, &t), 0);
    EXPECT_EQ(DemoClock(200000, &t), 0);
    // The time is the single-precision product, whatever the position.
    for (int ms : {1, 7300, 12600, 25200, 33333, 99999}) {
        DemoClock(ms, &t);
        EXPECT_EQ(t, static_cast<float>(ms) * 0.001f) << ms;
    }
}

TEST(ScheduleTest, ExactlyOneSceneIsActiveAtEveryMusicMillisecond) {
    float t = 0;
    for (int ms = 0; DemoClock(ms, &t); ++ms) {
        const unsigned active = ActiveScenes(t);
        ASSERT_TRUE(active != 0 && (active & (active - 1)) == 0) << ms << " ms: " << std::hex << active;
    }
    EXPECT_EQ(ActiveScenes(-5.0f), Only(1)) << "the first scene has no lower bound";
    EXPECT_EQ(ActiveScenes(117.7f), Only(23)) << "117.7 rounded down to single precision";
}

TEST(ScheduleTest, BoundariesBelongToTheSceneTheyEndAndTheDoubleBoundsCountAsDoubles) {
    // 7.3, 12.6, 18.7 and 25.2 in single precision lie just above the double
    // bounds, so they already belong to the next scene.
    EXPECT_EQ(ActiveScenes(7.3f), Only(2));
    EXPECT_EQ(ActiveScenes(std::nextafter(7.3f, 0.0f)), Only(1));
    EXPECT_EQ(ActiveScenes(12.6f), Only(4));
    EXPECT_EQ(ActiveScenes(18.7f), Only(6));
    EXPECT_EQ(ActiveScenes(25.2f), Only(8));
    // The exact bounds are inclusive ends.
    const float ends[] = {9.5f, 17.0f, 23.5f, 31.5f, 34.0f, 40.0f, 50.0f, 54.5f, 78.0f,
                          82.0f, 86.0f, 90.0f, 94.0f, 100.0f, 104.0f, 108.0f, 112.0f, 115.5f};
    const unsigned scenes[] = {2, 4, 6, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22};
    for (unsigned i = 0; i < sizeof(ends) / sizeof(ends[0]); ++i) {
        EXPECT_EQ(ActiveScenes(ends[i]), Only(scenes[i])) << ends[i];
        EXPECT_EQ(ActiveScenes(std::nextafter(ends[i], 200.0f)), Only(scenes[i] + 1)) << ends[i];
    }
}

}  // namespace
