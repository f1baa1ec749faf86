#include <gtest/gtest.h>

#include "kaActivation.h"
#include "kaFramePacer.h"
#include "kaTimer.h"

namespace {

// A counter that moves only when the test says so: 1000 counts a second.
int64_t sNow = 0;
int64_t FakeFrequency() { return 1000; }
int64_t FakeNow() { return sNow; }
const kaCounterSource kFakeCounter{FakeFrequency, FakeNow};

class TimerTest : public ::testing::Test {
protected:
    void SetUp() override { sNow = 5000000000LL; }  // far from zero, as real counters are
};

TEST_F(TimerTest, FrameDeltaIsOneBeforeTheFirstTickAndZeroWithoutTimePassing) {
    kaTimer timer(kFakeCounter);
    EXPECT_FLOAT_EQ(timer.getFrameDelta(), 1.0f);
    sNow += 40;
    timer.Tick();
    EXPECT_FLOAT_EQ(timer.getFrameDelta(), 0.040f);
    timer.Tick();
    EXPECT_FLOAT_EQ(timer.getFrameDelta(), 0.0f);
}

TEST_F(TimerTest, ElapsedCountsSecondsSinceStartExactlyOnLargeCounters) {
    kaTimer timer(kFakeCounter);
    sNow += 777;
    timer.Start();
    EXPECT_FLOAT_EQ(timer.getLastElapsed(), 0.0f);
    sNow += 5001;
    EXPECT_FLOAT_EQ(timer.Elapsed(), 5.001f);
    EXPECT_FLOAT_EQ(timer.getLastElapsed(), 5.001f);
    timer.Start();
    EXPECT_FLOAT_EQ(timer.Elapsed(), 0.0f);
}

TEST_F(TimerTest, ElapsedTicksCountsHundredMicrosecondUnitsPerLap) {
    kaTimer timer(kFakeCounter);
    timer.Start();
    sNow += 3;
    EXPECT_FLOAT_EQ(timer.ElapsedTicks(), 30.0f);
    sNow += 1;
    EXPECT_FLOAT_EQ(timer.ElapsedTicks(), 10.0f) << "each call starts a new lap";
}

// A pause is left out of every time measured across it, and a timer that
// goes over to another counter (at another rate) goes on from the times it
// had: the frame delta, the elapsed and the lap time.
TEST_F(TimerTest, PausesAndOtherCountersLeaveTheTimesAsTheyRan) {
    static int64_t microseconds = 0;
    static const kaCounterSource kFine{[] { return int64_t{1000000}; }, [] { return microseconds; }};
    struct Case {
        int64_t pausedMs;
        bool otherCounter;
    };
    for (const Case& c : {Case{0, false}, Case{2500, false}, Case{0, true}, Case{2500, true}}) {
        SCOPED_TRACE(std::to_string(c.pausedMs) + " ms paused" + (c.otherCounter ? ", other counter" : ""));
        kaTimer timer(kFakeCounter);
        timer.Start();
        timer.ElapsedTicks();
        sNow += 100;
        timer.Tick();
        sNow += 20;
        timer.Pause();
        sNow += c.pausedMs;
        timer.Resume();
        if (c.otherCounter) {
            microseconds = 7000000000000LL;
            timer.ContinueOn(kFine);
            microseconds += 20000;
        } else {
            sNow += 20;
        }
        timer.Tick();
        EXPECT_FLOAT_EQ(timer.getFrameDelta(), 0.040f);
        EXPECT_FLOAT_EQ(timer.Elapsed(), 0.140f);
        EXPECT_FLOAT_EQ(timer.ElapsedTicks(), 1400.0f);
    }
}

// At 20 frames a second (50 counts a frame) a frame falls due every 50 ms on
// a grid: one woken late still keeps the next on the grid, one late by a
// frame or more starts a new grid instead of a burst of frames made up.
TEST_F(TimerTest, APacerLetsFramesThroughAtItsRate) {
    kaFramePacer pacer(kFakeCounter);
    EXPECT_TRUE(pacer.Due()) << "without a rate every frame is due";
    EXPECT_TRUE(pacer.Due());
    EXPECT_EQ(pacer.MillisecondsToNext(), 0u);
    pacer.SetRate(20);
    struct Step {
        int64_t advance;  // counts before asking
        bool due;
        uint32_t wait;  // MillisecondsToNext afterwards
    };
    const Step steps[] = {
        {0, true, 50},     // the first frame at once
        {0, false, 50},    // nothing more at the same time
        {49, false, 1},    // 49 ms on
        {1, true, 50},     // 50
        {57, true, 43},    // 107, woken 7 late: the next stays at 150
        {43, true, 50},    // 150
        {130, true, 50},   // 280, 80 late: from here, 330
        {49, false, 1},    // 329
        {1, true, 50},     // 330
    };
    for (const Step& step : steps) {
        sNow += step.advance;
        SCOPED_TRACE(sNow);
        EXPECT_EQ(pacer.Due(), step.due);
        EXPECT_EQ(pacer.MillisecondsToNext(), step.wait);
    }
    pacer.SetRate(0);
    EXPECT_TRUE(pacer.Due());
    EXPECT_EQ(pacer.MillisecondsToNext(), 0u);
}

TEST(PlatformTimerTest, RealCounterMovesForward) {
    kaTimer timer;
    timer.Start();
    float elapsed = 0;
    for (int i = 0; i < 1000000 && elapsed <= 0; ++i) elapsed = timer.Elapsed();
    EXPECT_GT(elapsed, 0.0f);
    EXPECT_LT(elapsed, 5.0f);
}

TEST(ActivationTest, LowWordOfWParamDecidesTheActiveFlag) {
    EXPECT_EQ(OnActivate(1, 0), 1);
    EXPECT_EQ(gActive, 1);
    EXPECT_EQ(OnActivate(0x00010000, 0), 0) << "minimised flag alone is not active";
    EXPECT_EQ(gActive, 0);
    EXPECT_EQ(OnActivate(2, 0), 1);
    EXPECT_EQ(gActive, 1);
}

}  // namespace
