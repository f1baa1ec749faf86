// The music decoded with the Vorbis library: long enough for the demo and its
// closing pictures, with an accent where every white flash peaks.
#include <gtest/gtest.h>

#include <vorbis/vorbisfile.h>

#include <cmath>
#include <vector>

#include "kaMediaFolder.h"
#include "kaSceneLayout.h"

namespace {

class MusicTest : public ::testing::Test {
protected:
    void SetUp() override {
        OggVorbis_File file;
        ASSERT_EQ(ov_fopen(kaMediaFolder::file("xMusics/lost_in_space_remix.ogg").c_str(), &file), 0);
        const vorbis_info* info = ov_info(&file, -1);
        rate = int(info->rate);
        channels = info->channels;
        seconds = ov_time_total(&file, -1);
        float** pcm = nullptr;
        int section = 0;
        long count;
        while ((count = ov_read_float(&file, &pcm, 4096, &section)) > 0) {
            for (long i = 0; i < count; ++i) {
                float sum = 0.0f;
                for (int c = 0; c < channels; ++c) sum += pcm[c][i];
                mono.push_back(sum / float(channels));
            }
        }
        ov_clear(&file);
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
    for (const kaFlashSpec& flash : kFlashes) {
        const float before = Level(flash.end - 0.12f, flash.end - 0.02f);
        const float after = Level(flash.end, flash.end + 0.06f);
        EXPECT_GT(after, 1.5f * before) << "flash peak at " << flash.end;
    }
}

}  // namespace
