#include <gtest/gtest.h>

#include <limits>

#include "kaPackedColor.h"

namespace {

TEST(PackedColorTest, ChannelsAreTruncatedNotRounded) {
    EXPECT_EQ(kaPackedColor::FromFloats(1.0f, 0.5f, 0.0f, 1.0f), 0xFFFF7F00u);
    EXPECT_EQ(kaPackedColor::Channel(0.999f), 254u);
}

TEST(PackedColorTest, OutOfRangeChannelsKeepTheirLowEightBits) {
    EXPECT_EQ(kaPackedColor::Channel(2.0f), 510u & 0xFF);
    EXPECT_EQ(kaPackedColor::Channel(-0.5f), static_cast<uint32_t>(-127) & 0xFF);
}

TEST(PackedColorTest, HugeAndNaNChannelsStayDefined) {
    // Only the absence of a crash or sanitizer report matters; the byte is some value.
    EXPECT_LE(kaPackedColor::Channel(std::numeric_limits<float>::quiet_NaN()), 255u);
    EXPECT_LE(kaPackedColor::Channel(1e30f), 255u);
    EXPECT_LE(kaPackedColor::Channel(-1e30f), 255u);
}

TEST(PackedColorTest, BytesPackAsAlphaRedGreenBlue) {
    EXPECT_EQ(kaPackedColor::FromBytes(1, 2, 3, 4), 0x04010203u);
}

}  // namespace
