#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "kaLogFile.h"
#include "kaMusic.h"
#include "kaOggTone.h"
#include "kaRecordingMessageBoxes.h"
#include "kaStream.h"
#include "kaTempDir.h"

namespace {

class MusicTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(gLog.Open(log.c_str(), "w")); }
    void TearDown() override {
        StopMusic();
        FreeMusicData();
        gLog.Close();
    }

    // The log as text: read in text mode, as it was written.
    std::string Log() {
        gLog.Close();
        std::ifstream in(log);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    // The last box shown, which has to be the only one since the count given.
    void ExpectBox(size_t before, const char* text) {
        ASSERT_EQ(boxes.boxes().size(), before + 1);
        EXPECT_EQ(boxes.boxes().back().caption, "KA_ERR_READFAIL");
        EXPECT_EQ(boxes.boxes().back().text, text);
    }

    kaTempDir dir;
    std::string log = dir.file("Vessamorix.log");
    std::string music = dir.file("lost_in_space_remix.ogg");
    kaRecordingMessageBoxes boxes;
};

TEST_F(MusicTest, StartsTheSystemAndOpensTheSongFromTheMusicDirectory) {
    const std::string track = EncodeOgg(2, 44100, 44100, [](int, int i) { return Sine(440, 44100, i); });
    dir.write("lost_in_space_remix.ogg", track);
    ASSERT_EQ(StartMusic(dir.file("").c_str()), 1);
    ASSERT_NE(gMusicStream, nullptr);
    ASSERT_NE(gMusicData, nullptr);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(gMusicData), track.size()), track);
    EXPECT_EQ(FSOUND_Stream_GetTime(gMusicStream), 0);
    EXPECT_EQ(gMusicStream->getLengthMilliseconds(), 1000);
    EXPECT_TRUE(boxes.boxes().empty());
    EXPECT_EQ(Log(), "Success! initialize sound driver: Return 1\n");

    StopMusic();
    EXPECT_EQ(gMusicStream, nullptr);
    EXPECT_EQ(FSOUND_Init(44100, 16, 0), 1) << "the sound system was closed";
    FSOUND_Close();
    FreeMusicData();
    EXPECT_EQ(gMusicData, nullptr);
}

TEST_F(MusicTest, AMissingEmptyOrForeignSongIsTheLoadingError) {
    for (const char* contents : {static_cast<const char*>(nullptr), "", "ID3\x03 not a song at all"}) {
        const size_t before = boxes.boxes().size();
        if (contents != nullptr) dir.write("lost_in_space_remix.ogg", contents);
        ASSERT_TRUE(gLog.Open(log.c_str(), "w"));
        EXPECT_EQ(StartMusic(dir.file("").c_str()), 0);
        EXPECT_EQ(gMusicStream, nullptr);
        ExpectBox(before, "Error loading song!");
        EXPECT_EQ(Log(), "Error! creating sound system...\n");
        StopMusic();
        FreeMusicData();
    }
}

TEST_F(MusicTest, ASoundSystemThatWillNotStartIsTheSoundSystemError) {
    ASSERT_EQ(FSOUND_Init(22050, 1, 0), 1);  // already running: a second start fails
    EXPECT_EQ(StartMusic(dir.file("none/").c_str()), 0);
    ExpectBox(0, "Error creating sound system");
    EXPECT_EQ(Log(), "Error! creating sound system...\n");
    FSOUND_Close();
}

}  // namespace
