#include <gtest/gtest.h>

#include "kaOggTone.h"
#include "kaScriptedClock.h"
#include "kaStream.h"

namespace {

class StreamTest : public ::testing::Test {
protected:
    void SetUp() override {
        kaScriptedClock::Reset();
        ASSERT_TRUE(stream.Open(reinterpret_cast<const unsigned char*>(track.data()), track.size()));
    }

    const std::string track = EncodeOgg(2, 44100, 88200, [](int, int i) { return Sine(220, 44100, i); });
    kaStream stream{kaScriptedClock::kSource, 44100};
};

TEST_F(StreamTest, PositionIsZeroUntilPlayThenFollowsTheClockAndStopsAtTheEnd) {
    EXPECT_EQ(stream.getLengthMilliseconds(), 2000);
    kaScriptedClock::Advance(5000);
    EXPECT_EQ(stream.getTime(), 0) << "time before playback does not count";
    EXPECT_FALSE(stream.isPlaying());

    stream.Play(false);
    EXPECT_TRUE(stream.isPlaying());
    EXPECT_FALSE(stream.isOnDevice());
    EXPECT_EQ(stream.getTime(), 0);
    kaScriptedClock::Advance(1);
    EXPECT_EQ(stream.getTime(), 1);
    kaScriptedClock::Advance(1233);
    EXPECT_EQ(stream.getTime(), 1234);
    kaScriptedClock::Advance(765);
    EXPECT_EQ(stream.getTime(), 1999);
    kaScriptedClock::Advance(1);
    EXPECT_EQ(stream.getTime(), 2000);
    kaScriptedClock::Advance(100000);
    EXPECT_EQ(stream.getTime(), 2000) << "held at the track's length";
}

TEST_F(StreamTest, PlayingAgainDoesNotRestart) {
    stream.Play(false);
    kaScriptedClock::Advance(700);
    stream.Play(false);
    kaScriptedClock::Advance(300);
    EXPECT_EQ(stream.getTime(), 1000);
}

TEST(StreamClockTest, LongRunsOnAFastCounterDoNotOverflow) {
    // A nanosecond counter a year into its run.
    static int64_t now = 0;
    static const kaCounterSource nanoseconds{[] { return int64_t{1000000000}; }, [] { return now; }};
    const std::string track = EncodeOgg(1, 44100, 4410, [](int, int i) { return Sine(440, 44100, i); });
    kaStream stream(nanoseconds, 44100);
    ASSERT_TRUE(stream.Open(reinterpret_cast<const unsigned char*>(track.data()), track.size()));
    now = 365LL * 24 * 3600 * 1000000000LL;
    stream.Play(false);
    now += 50000000;  // 50 ms
    EXPECT_EQ(stream.getTime(), 50);
    now += 400LL * 24 * 3600 * 1000000000LL;
    EXPECT_EQ(stream.getTime(), 100);
}

}  // namespace
