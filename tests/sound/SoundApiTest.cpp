#include <gtest/gtest.h>

#include "kaOggTone.h"
#include "kaScriptedClock.h"
#include "kaSound.h"
#include "kaStream.h"

namespace {

class SoundApiTest : public ::testing::Test {
protected:
    void SetUp() override {
        kaScriptedClock::Reset();
        kaSoundSetCounterSource(kaScriptedClock::kSource);
    }
    void TearDown() override {
        FSOUND_Close();
        kaSoundSetCounterSource(kaCounterSource::Platform());
    }

    FSOUND_STREAM* Open(const std::string& bytes, unsigned mode = FSOUND_LOADMEMORY | FSOUND_MPEGACCURATE) {
        return FSOUND_Stream_OpenFile(bytes.data(), mode, static_cast<int>(bytes.size()));
    }

    const std::string track = EncodeOgg(2, 44100, 22050, [](int, int i) { return Sine(440, 44100, i); });
};

TEST_F(SoundApiTest, InitChecksItsArgumentsAndRunsOnce) {
    EXPECT_EQ(FSOUND_Init(0, 16, 0), 0);
    EXPECT_EQ(FSOUND_Init(44100, 0, 0), 0);
    EXPECT_EQ(FSOUND_Init(1000000, 16, 0), 0);
    EXPECT_EQ(FSOUND_Init(44100, 16, 0), 1);
    EXPECT_EQ(FSOUND_Init(44100, 16, 0), 0) << "already running";
    FSOUND_Close();
    EXPECT_EQ(FSOUND_Init(22050, 4, 0), 1);
}

TEST_F(SoundApiTest, OpenPlayTimeClose) {
    ASSERT_EQ(FSOUND_Init(44100, 16, 0), 1);
    FSOUND_STREAM* stream = Open(track);
    ASSERT_NE(stream, nullptr);
    kaScriptedClock::Advance(300);
    EXPECT_EQ(FSOUND_Stream_GetTime(stream), 0);

    EXPECT_EQ(FSOUND_Stream_Play(FSOUND_FREE, stream), 0);
    if (!stream->isOnDevice()) {
        kaScriptedClock::Advance(250);
        EXPECT_EQ(FSOUND_Stream_GetTime(stream), 250);
        kaScriptedClock::Advance(5000);
        EXPECT_EQ(FSOUND_Stream_GetTime(stream), 500);
    }
    EXPECT_EQ(FSOUND_Stream_Close(stream), 1);
    EXPECT_EQ(FSOUND_Stream_Close(stream), 0) << "a closed handle is unknown";
    EXPECT_EQ(FSOUND_Stream_GetTime(stream), 0);
}

TEST_F(SoundApiTest, PlayTakesAFreeOrAnExistingChannelOnlyAndNoDspUnit) {
    ASSERT_EQ(FSOUND_Init(44100, 2, 0), 1);
    FSOUND_STREAM* stream = Open(track);
    ASSERT_NE(stream, nullptr);
    EXPECT_EQ(FSOUND_Stream_Play(2, stream), -1);
    EXPECT_EQ(FSOUND_Stream_Play(-2, stream), -1);
    EXPECT_EQ(FSOUND_Stream_PlayEx(FSOUND_FREE, stream, reinterpret_cast<FSOUND_DSPUNIT*>(stream), 0), -1);
    EXPECT_EQ(FSOUND_Stream_GetTime(stream), 0) << "a refused play leaves the stream stopped";
    EXPECT_EQ(FSOUND_Stream_Play(1, stream), 1);
}

TEST_F(SoundApiTest, BadDataOrCallsGiveTheZeroHandleAndTheZeroHandleIsHarmless) {
    EXPECT_EQ(Open(track), nullptr) << "system not started";
    ASSERT_EQ(FSOUND_Init(44100, 16, 0), 1);
    EXPECT_EQ(Open(track, 0), nullptr) << "only memory streams";
    EXPECT_EQ(Open(std::string(1000, 'x')), nullptr);
    EXPECT_EQ(Open(track.substr(0, 100)), nullptr);
    EXPECT_EQ(FSOUND_Stream_OpenFile(nullptr, FSOUND_LOADMEMORY, 1000), nullptr);
    EXPECT_EQ(FSOUND_Stream_OpenFile(track.data(), FSOUND_LOADMEMORY, 0), nullptr);
    EXPECT_EQ(FSOUND_Stream_OpenFile(track.data(), FSOUND_LOADMEMORY, -5), nullptr);

    EXPECT_EQ(FSOUND_Stream_GetTime(nullptr), 0);
    EXPECT_EQ(FSOUND_Stream_Play(FSOUND_FREE, nullptr), -1);
    EXPECT_EQ(FSOUND_Stream_Close(nullptr), 0);
}

TEST_F(SoundApiTest, CloseEndsEveryStreamStillOpen) {
    ASSERT_EQ(FSOUND_Init(44100, 16, 0), 1);
    FSOUND_STREAM* first = Open(track);
    FSOUND_STREAM* second = Open(track);
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    FSOUND_Stream_Play(FSOUND_FREE, first);
    kaScriptedClock::Advance(100);
    FSOUND_Close();
    EXPECT_EQ(FSOUND_Stream_GetTime(first), 0);
    EXPECT_EQ(FSOUND_Stream_Close(second), 0);
}

}  // namespace
