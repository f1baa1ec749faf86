#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <set>
#include <thread>

#include "kaOggTone.h"
#include "kaSound.h"
#include "kaStream.h"
#include "kaTestSoundDevice.h"

namespace {

double NowMilliseconds() {
    using namespace std::chrono;
    return duration<double, std::milli>(steady_clock::now().time_since_epoch()).count();
}

void Sleep(int milliseconds) { std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds)); }

// Playback as the program sees it, on the platform's sound device: wave-out
// under Wine (or the clock when Wine has no audio driver), SDL's audio
// natively (its dummy driver, which plays in real time without a card).
class SoundOutputTest : public ::testing::Test {
protected:
    void SetUp() override {
        UseTestSoundDevice();
        ASSERT_EQ(FSOUND_Init(44100, 16, 0), 1);
    }
    void TearDown() override { FSOUND_Close(); }

    FSOUND_STREAM* Open(const std::string& track) {
        return FSOUND_Stream_OpenFile(track.data(), FSOUND_LOADMEMORY | FSOUND_MPEGACCURATE,
                                      static_cast<int>(track.size()));
    }
    // Plays the stream and says (in the test output) where it plays.
    void Play(FSOUND_STREAM* stream) {
        playStart = NowMilliseconds();
        ASSERT_EQ(FSOUND_Stream_Play(FSOUND_FREE, stream), 0);
        playEnd = NowMilliseconds();
        std::printf("[ output   ] %s\n", stream->isOnDevice() ? "sound device" : "clock, no device");
        RecordProperty("output", stream->isOnDevice() ? "device" : "clock");
    }

    static std::string Track(int frames) {
        return EncodeOgg(2, 44100, frames, [](int c, int i) { return Sine(c ? 330 : 220, 44100, i); });
    }

    double playStart = 0, playEnd = 0;
};

TEST_F(SoundOutputTest, PositionIsZeroBeforePlayThenFollowsRealTime) {
    const std::string track = Track(44100 * 3);
    FSOUND_STREAM* stream = Open(track);
    ASSERT_NE(stream, nullptr);
    Sleep(50);
    EXPECT_EQ(FSOUND_Stream_GetTime(stream), 0);
    Play(stream);

    if (!stream->isOnDevice()) {
        // The clock runs from the call to play: within a few milliseconds of
        // the wall clock at every reading.
        for (int i = 0; i < 8; ++i) {
            Sleep(97);
            const double before = NowMilliseconds();
            const int position = FSOUND_Stream_GetTime(stream);
            const double after = NowMilliseconds();
            EXPECT_GE(position, before - playEnd - 2.0);
            EXPECT_LE(position, after - playStart + 2.0);
        }
        return;
    }
    // The device reports what it has played: never ahead of the wall clock,
    // behind it by no more than its start-up latency, and at its pace.
    Sleep(500);
    const double first = NowMilliseconds();
    const int firstPosition = FSOUND_Stream_GetTime(stream);
    EXPECT_GT(firstPosition, 0);
    EXPECT_LE(firstPosition, first - playStart + 5.0);
    Sleep(1000);
    const double second = NowMilliseconds();
    const int secondPosition = FSOUND_Stream_GetTime(stream);
    EXPECT_LE(secondPosition, second - playStart + 5.0);
    EXPECT_NEAR(secondPosition - firstPosition, second - first, 100.0);
}

// Read every few milliseconds, as frames read it, the position never goes
// back and moves between most readings: it does not stand still for a
// whole device buffer and then jump.
TEST_F(SoundOutputTest, PositionMovesSmoothly) {
    const std::string track = Track(44100 * 2);
    FSOUND_STREAM* stream = Open(track);
    ASSERT_NE(stream, nullptr);
    Play(stream);
    Sleep(200);
    std::set<int> seen;
    int previous = FSOUND_Stream_GetTime(stream);
    for (int i = 0; i < 40; ++i) {
        Sleep(5);
        const int position = FSOUND_Stream_GetTime(stream);
        EXPECT_GE(position, previous);
        previous = position;
        seen.insert(position);
    }
    EXPECT_GE(seen.size(), 20u);
}

TEST_F(SoundOutputTest, PositionStopsAtTheTracksLength) {
    const std::string track = Track(13230);  // 300 ms
    FSOUND_STREAM* stream = Open(track);
    ASSERT_NE(stream, nullptr);
    Play(stream);
    int position = 0;
    for (int i = 0; i < 40 && position < 300; ++i) {
        Sleep(50);
        position = FSOUND_Stream_GetTime(stream);
    }
    EXPECT_EQ(position, 300);
    Sleep(300);
    EXPECT_EQ(FSOUND_Stream_GetTime(stream), 300);
}

TEST_F(SoundOutputTest, ClosingWhilePlayingStopsAtOnce) {
    const std::string track = Track(44100 * 10);
    for (int i = 0; i < 5; ++i) {
        FSOUND_STREAM* stream = Open(track);
        ASSERT_NE(stream, nullptr);
        Play(stream);
        Sleep(i * 20);
        const double before = NowMilliseconds();
        EXPECT_EQ(FSOUND_Stream_Close(stream), 1);
        EXPECT_LT(NowMilliseconds() - before, 500.0);
    }
}

// Paused, the position stands (the device may still play what it had
// queued, but the position never passes where the pause found it) and
// pausing again or resuming twice changes nothing; resumed, it moves on at
// the device's pace from there.  A stream that does not play cannot pause.
TEST_F(SoundOutputTest, PausedThePositionStandsAndResumedItGoesOnFromThere) {
    const std::string track = Track(44100 * 4);
    FSOUND_STREAM* stream = Open(track);
    ASSERT_NE(stream, nullptr);
    EXPECT_EQ(FSOUND_Stream_SetPaused(stream, 1), 0) << "not playing yet";
    Play(stream);
    Sleep(300);
    ASSERT_EQ(FSOUND_Stream_SetPaused(stream, 1), 1);
    const int atPause = FSOUND_Stream_GetTime(stream);
    EXPECT_EQ(FSOUND_Stream_SetPaused(stream, 1), 1);
    Sleep(500);
    const int paused = FSOUND_Stream_GetTime(stream);
    EXPECT_GE(paused, atPause);
    EXPECT_LE(paused, atPause + 60) << "a device buffer at most";
    ASSERT_EQ(FSOUND_Stream_SetPaused(stream, 0), 1);
    EXPECT_EQ(FSOUND_Stream_SetPaused(stream, 0), 1);
    const double resumed = NowMilliseconds();
    Sleep(400);
    const int after = FSOUND_Stream_GetTime(stream);
    EXPECT_LE(after - paused, NowMilliseconds() - resumed + 5.0) << "never ahead of the wall clock";
    EXPECT_GE(after - paused, 200) << "it moves on";
    EXPECT_EQ(FSOUND_Stream_SetPaused(nullptr, 1), 0);
}

// Started paused (a seek while paused), the stream stands exactly where it
// was set to start, however long the device takes to open, and goes on from
// there once resumed.
TEST_F(SoundOutputTest, StartedPausedItStandsAtItsStartUntilResumed) {
    const std::string track = Track(44100 * 3);
    FSOUND_STREAM* stream = Open(track);
    ASSERT_NE(stream, nullptr);
    ASSERT_EQ(FSOUND_Stream_SetTime(stream, 1000), 1);
    ASSERT_EQ(FSOUND_Stream_PlayEx(FSOUND_FREE, stream, nullptr, 1), 0);
    Sleep(300);
    EXPECT_EQ(FSOUND_Stream_GetTime(stream), 1000);
    ASSERT_EQ(FSOUND_Stream_SetPaused(stream, 0), 1);
    const double resumed = NowMilliseconds();
    Sleep(400);
    const int after = FSOUND_Stream_GetTime(stream);
    EXPECT_LE(after - 1000, NowMilliseconds() - resumed + 5.0) << "never ahead of the wall clock";
    EXPECT_GE(after - 1000, 200) << "it moves on";
}

}  // namespace
