#include <gtest/gtest.h>

#include <vector>

#include "kaSampleConverter.h"

namespace {

std::vector<int16_t> ConvertMono(const std::vector<float>& samples, int rate, int outputRate) {
    kaSampleConverter converter(outputRate);
    std::vector<int16_t> out;
    const float* channels[] = {samples.data()};
    converter.Convert(channels, static_cast<int>(samples.size()), 1, rate, out);
    converter.Flush(out);
    return out;
}

TEST(ConverterTest, EqualRatesPassEveryFrameThroughUnchangedAcrossPieces) {
    const std::vector<float> left{0.0f, 0.5f, -0.5f, 1.0f}, right{0.25f, -1.0f, 0.0f, -0.25f};
    kaSampleConverter converter(44100);
    std::vector<int16_t> out;
    const float* first[] = {left.data(), right.data()};
    const float* second[] = {left.data() + 2, right.data() + 2};
    converter.Convert(first, 2, 2, 44100, out);
    converter.Convert(second, 2, 2, 44100, out);
    converter.Flush(out);
    EXPECT_EQ(out, (std::vector<int16_t>{0, 8192, 16384, -32767, -16384, 0, 32767, -8192}));
}

TEST(ConverterTest, DoublingTheRateInterpolatesBetweenNeighbours) {
    EXPECT_EQ(ConvertMono({0.0f, 0.5f, 1.0f}, 22050, 44100),
              (std::vector<int16_t>{0, 0, 8192, 8192, 16384, 16384, 24575, 24575, 32767, 32767,
                                    32767, 32767}));
}

TEST(ConverterTest, FrameCountFollowsTheRateRatioOverLongRuns) {
    const std::vector<float> second(48000, 0.0f);
    EXPECT_EQ(ConvertMono(second, 48000, 44100).size(), 44100u * 2);
    const std::vector<float> odd(11025, 0.0f);
    EXPECT_EQ(ConvertMono(odd, 11025, 44100).size(), 44100u * 2);
}

TEST(ConverterTest, ChannelsMixDownByTheirPlaceAndCannotClip) {
    // Six channels in Vorbis order: front left, centre, front right, rear
    // left, rear right, low frequency.
    const float ones[] = {1.0f}, zeros[] = {0.0f};
    kaSampleConverter converter(44100);
    std::vector<int16_t> out;
    const float* frontLeftOnly[] = {ones, zeros, zeros, zeros, zeros, zeros};
    converter.Convert(frontLeftOnly, 1, 6, 44100, out);
    const float* lowFrequencyOnly[] = {zeros, zeros, zeros, zeros, zeros, ones};
    converter.Convert(lowFrequencyOnly, 1, 6, 44100, out);
    const float* allFull[] = {ones, ones, ones, ones, ones, ones};
    converter.Convert(allFull, 1, 6, 44100, out);
    converter.Flush(out);
    ASSERT_EQ(out.size(), 6u);
    EXPECT_GT(out[0], 8000);
    EXPECT_EQ(out[1], 0) << "front left stays on the left";
    EXPECT_EQ(out[2], 0);
    EXPECT_EQ(out[3], 0) << "the low-frequency channel is left out";
    EXPECT_EQ(out[4], 32767);
    EXPECT_EQ(out[5], 32767);
}

}  // namespace
