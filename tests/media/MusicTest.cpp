// The music decoded by the player's own stream decoder: long enough for the
// demo and its closing pictures, with an accent where every white flash
// peaks.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <iterator>
#include <vector>

#include "kaMediaFolder.h"
#include "kaOggDecoder.h"
#include "kaSceneLayout.h"

namespace {

class MusicTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::ifstream in(kaMediaFolder::file("xMusics/lost_in_space_remix.ogg"), std::ios::binary);
        const std::vector<unsigned char> data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        kaOggDecoder decoder;
        ASSERT_TRUE(decoder.Open(data.data(), data.size()));
        seconds = double(decoder.getLengthMilliseconds()) / 1000.0;
        float** pcm = nullptr;
        int count;
        while ((count = decoder.Read(&pcm, 4096, &channels, &rate)) > 0) {
            for (int i = 0; i < count; ++i) {
                float sum = 0.0f;
                for (int c = 0; c < channels; ++c) sum += pcm[c][i];
                mono.push_back(sum / float(channels));
            }
        }
    }

    // Root mean square of the mix between two times.
    float Level(float from, float to) const {
        const size_t a = size_t(from * float(rate)), b = size_t(to * float(rate));
        double sum = 0.0;
        for (size_t i = a; i < b && i < mono.size(); ++i) sum += double(mono[i]) * mono[i];
        return float(std::sqrt(sum / double(b - a)));
    }

    int rate = 0, channels = 0;
    double seconds = 0.0;
    std::vector<float> mono;
};

TEST_F(MusicTest, PlaysThroughTheDemoAndTheClosingPictures) {
    EXPECT_EQ(rate, 44100);
    EXPECT_EQ(channels, 2);
    EXPECT_GT(seconds, 120.0);
    EXPECT_NEAR(double(mono.size()) / rate, seconds, 0.01);
    EXPECT_GT(Level(1.0f, 117.0f), 0.05f);
}

TEST_F(MusicTest, EveryFlashPeakLandsOnAnAccent) {
    for (const kaFlashWindow& flash : Flashes()) {
        const float before = Level(flash.end - 0.12f, flash.end - 0.02f);
        const float after = Level(flash.end, flash.end + 0.06f);
        EXPECT_GT(after, 1.5f * before) << "flash peak at " << flash.end;
    }
}

}  // namespace
