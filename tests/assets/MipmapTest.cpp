#include <gtest/gtest.h>

#include <string>

#include "kaImage.h"
#include "kaResult.h"
#include "kaTempDir.h"
#include "kaTestPictures.h"

namespace {

using namespace kaTestPictures;

class MipmapTest : public ::testing::Test {
protected:
    // A top-down TGA of the given pixels (4 bytes each, B G R A as stored).
    void LoadPixels(unsigned width, unsigned height, unsigned bits, const std::string& stored) {
        ASSERT_EQ(image.Load(dir.write("p.tga", Tga(bits == 8 ? 3 : 2, width, height, bits, 0x20,
                                                    stored)).c_str()),
                  KA_OK);
    }
    std::string Level(uint32_t level) const {
        const kaImageLevel& entry = image.getLevel(level);
        return std::string(reinterpret_cast<const char*>(entry.data), entry.size);
    }

    kaTempDir dir;
    kaImage image;
};

TEST_F(MipmapTest, ChainsRunDownToOneByOne) {
    LoadPixels(256, 64, 8, std::string(256 * 64, 'x'));
    ASSERT_EQ(image.GenerateMipmaps(), KA_OK);
    ASSERT_EQ(image.getLevelCount(), 9u);
    for (uint32_t l = 0; l < 9; ++l) {
        EXPECT_EQ(image.getLevel(l).width, 256u >> l);
        EXPECT_EQ(image.getLevel(l).height, l < 6 ? 64u >> l : 1u);
        EXPECT_EQ(image.getLevel(l).size, image.getLevel(l).width * image.getLevel(l).height);
    }
    EXPECT_EQ(Level(8), "x");
}

TEST_F(MipmapTest, HalvingPicksTheTopLeftPixelOfEachBlock) {
    // 4 x 4: the top-left pixel of each 2 x 2 block red, the others blue
    // (stored blue, green, red, alpha).
    std::string stored;
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 4; ++x) {
            const bool red = x % 2 == 0 && y % 2 == 0;
            stored += red ? std::string("\0\0\xFF\xFF", 4) : std::string("\xFF\0\0\xFF", 4);
        }
    }
    LoadPixels(4, 4, 32, stored);
    ASSERT_EQ(image.GenerateMipmaps(), KA_OK);
    ASSERT_EQ(image.getLevelCount(), 3u);
    std::string red;
    for (int i = 0; i < 4; ++i) red += std::string("\xFF\0\0\xFF", 4);
    EXPECT_EQ(Level(1), red);
    EXPECT_EQ(Level(2), std::string("\xFF\0\0\xFF", 4));
}

TEST_F(MipmapTest, OddSizesBlendWithTheRightAndLowerNeighbours) {
    // 3 x 3 grey: the 1 x 1 level samples (0, 0) with scale 3.
    LoadPixels(3, 3, 8, "\x10\x20\x30\x40\x50\x60\x70\x80\x90");
    ASSERT_EQ(image.GenerateMipmaps(), KA_OK);
    ASSERT_EQ(image.getLevelCount(), 2u);
    EXPECT_EQ(Level(1), "\x10");

    // 5 x 5: the 2 x 2 level samples at 0 and 2.5 in each direction.
    std::string stored;
    for (int i = 0; i < 25; ++i) stored += static_cast<char>(i * 10);
    LoadPixels(5, 5, 8, stored);
    ASSERT_EQ(image.GenerateMipmaps(), KA_OK);
    ASSERT_EQ(image.getLevelCount(), 3u);
    // (2.5, 0): between 20 and 30 -> 25; (0, 2.5): between 100 and 150 -> 125;
    // (2.5, 2.5): the mean of 120, 130, 170 and 180 -> 150.
    EXPECT_EQ(Level(1), std::string("\x00\x19\x7D\x96", 4));
    EXPECT_EQ(Level(2), std::string(1, '\0'));
}

TEST_F(MipmapTest, FiveSixFiveChannelsAreWidenedByShiftingAndRepacked) {
    // 3 x 1 words (1-5-5-5 in the TGA): the 1 x 1 level blends nothing, so
    // a word that uses every bit comes back with its low bits intact.
    kaByteWriter pixels;
    pixels.u16(0x7FFF).u16(0).u16(0);
    LoadPixels(3, 1, 16, pixels.bytes());
    ASSERT_EQ(image.GenerateMipmaps(), KA_OK);
    EXPECT_EQ(Level(1), std::string("\xDF\xFF", 2));

    // 5 x 1: (2.5, 0) halfway between red 31 and red 1 -> (248 + 8) / 2 = 128 -> 16.
    kaByteWriter row;
    row.u16(0).u16(0).u16(0x7C00).u16(0x0400).u16(0);
    LoadPixels(5, 1, 16, row.bytes());
    ASSERT_EQ(image.GenerateMipmaps(), KA_OK);
    kaByteWriter expected;
    expected.u16(0).u16(16 << 11);
    EXPECT_EQ(Level(1), expected.bytes());
}

TEST_F(MipmapTest, NormalMapsAverageWeightedDirectionsWithWrapAround) {
    // Bytes are 128 + 127 c: X = (255 128 128), Y = (128 255 128), full weight.
    const std::string x("\x80\x80\xFF\xFF", 4), y("\x80\xFF\x80\xFF", 4);  // stored B G R A
    LoadPixels(2, 2, 32, x + x + x + x);
    ASSERT_EQ(image.SetNormalMap(), KA_OK);
    ASSERT_EQ(image.GenerateMipmaps(), KA_OK);
    // Four equal vectors: the direction stays, truncation gives 254, and the
    // coherence saturates at 255.
    EXPECT_EQ(Level(1), std::string("\xFE\x80\x80\xFF", 4));

    // 2 x 1 to 1 x 1: the block wraps vertically onto the same row, so X and
    // Y count twice each: the diagonal, with a coherence of 0.718.
    LoadPixels(2, 1, 32, x + y);
    ASSERT_EQ(image.SetNormalMap(), KA_OK);
    ASSERT_EQ(image.GenerateMipmaps(), KA_OK);
    EXPECT_EQ(Level(1), std::string("\xD9\xD9\x81\xB7", 4));

    // No weight at all: the direction becomes (0, 0, 1) with no coherence.
    LoadPixels(2, 2, 32, std::string(16, '\x10'));
    for (uint32_t i = 0; i < 4; ++i) image.getLevelData(0)[4 * i + 3] = 0;
    ASSERT_EQ(image.SetNormalMap(), KA_OK);
    ASSERT_EQ(image.GenerateMipmaps(), KA_OK);
    EXPECT_EQ(Level(1), std::string("\x80\x80\xFF\x00", 4));

    LoadPixels(2, 2, 8, "abcd");
    EXPECT_EQ(image.SetNormalMap(), KA_ERR_UNSUPPORTED);
}

TEST_F(MipmapTest, RefusesBlockDataAndEmptyImages) {
    EXPECT_EQ(image.GenerateMipmaps(), KA_ERR_MISSING);
    ASSERT_EQ(image.Load(dir.write("d.dds", Dds(DdsHeader(), std::string(8, 'x'))).c_str()), KA_OK);
    EXPECT_EQ(image.GenerateMipmaps(), KA_ERR_UNRECOGNISED);
    EXPECT_EQ(image.getLevelCount(), 1u);
}

TEST_F(MipmapTest, CubeMapsGetAChainPerFace) {
    DdsHeader h;
    h.width = h.height = 2;
    h.caps2 = 0xFE00;
    h.pixelFlags = 0x40;
    h.rgbBits = 8;
    std::string data;
    for (char face = 'A'; face < 'G'; ++face) data += std::string(4, face);
    ASSERT_EQ(image.Load(dir.write("c.dds", Dds(h, data)).c_str()), KA_OK);
    ASSERT_EQ(image.GenerateMipmaps(), KA_OK);
    ASSERT_EQ(image.getLevelCount(), 2u);
    for (uint32_t f = 0; f < 6; ++f) {
        const kaImageLevel& level = image.getLevel(1, f);
        ASSERT_EQ(level.size, 1u);
        EXPECT_EQ(level.data[0], 'A' + f);
    }
}

}  // namespace
