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

}  // namespace
