#include <gtest/gtest.h>

#include <algorithm>

#include "DemoFrame.h"
#include "DemoGlobals.h"
#include "kaClipClock.h"
#include "kaDemoWorld.h"
#include "kaSpriteBatch.h"

namespace {

// The only test that runs the scene functions themselves: their set-up runs
// once per program, so the whole demo is played forwards once, at 30 frames
// a second of music time.
TEST(DemoFrameTest, TheWholeScheduleRunsForwardsFrameByFrame) {
    kaDemoWorld world;
    constexpr int kFrameMs = 33;
    unsigned silentFrames = 0;
    unsigned mostSprites = 0;
    float t = 0;
    int ms = 0;
    for (; DemoClock(ms, &t); ms += kFrameMs) {
        world.device.clearCalls();
        DrawDemoFrame(kFrameMs * 0.001f, t);
        const kaDeviceCall& clear = world.device.calls().front();
        ASSERT_EQ(clear.name, "Clear");
        EXPECT_EQ(clear.u(0), 2u);
        EXPECT_EQ(clear.u(1), 0x001F1F7Fu);
        EXPECT_EQ(clear.f(2), 1.0f);
        const std::vector<std::string> names = world.device.callNames();
        EXPECT_EQ(names[1], "BeginRender");
        EXPECT_EQ(std::vector<std::string>(names.end() - 2, names.end()),
                  std::vector<std::string>({"EndRender", "Flip"}));
        if (world.device.draws().empty()) ++silentFrames;
        mostSprites = std::max(mostSprites, gSpriteBatch->list.getCount());
        world.AdvanceClock(kFrameMs);
    }
    EXPECT_EQ(ms, 117711) << "the first position at or past 117.7 s";
    EXPECT_EQ(silentFrames, 23u) << "each scene's first frame only";
    EXPECT_EQ(mostSprites, 31u);
    EXPECT_EQ(gSpriteBatch->list.getCount(), 0u);
    for (kaMeshModel* freed : {gStage1, gStage2, gHoverboard, gCloseStage, gCloseStage2}) EXPECT_EQ(freed, nullptr);
    EXPECT_NE(gFinal, nullptr);
    EXPECT_EQ(gClipClock.getRate(), 0.0f);
    // The sky pass reads position and texture set 0 from the models' own
    // 56-byte vertices, which the recording device reports; nothing else.
    for (const std::string& misuse : world.device.misuse()) {
        EXPECT_EQ(misuse, "DrawPrimitive with vertex format 0x102 on a buffer of 0x540402");
    }
    EXPECT_TRUE(world.boxes.boxes().empty());
}

}  // namespace
