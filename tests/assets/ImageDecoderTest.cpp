#include <gtest/gtest.h>

#include <png.h>

#include <cstring>
#include <string>
#include <vector>

#include "kaFileStream.h"
#include "kaImage.h"
#include "kaMemoryStream.h"
#include "kaResult.h"
#include "kaTempDir.h"
#include "kaTestPictures.h"

namespace {

using namespace kaTestPictures;

class ImageDecoderTest : public ::testing::Test {
protected:
    // Loads the bytes as a file; the same bytes given as a memory stream
    // must decode to the same picture.
    int LoadBytes(const std::string& bytes) {
        const int result = image.Load(dir.write("picture.bin", bytes).c_str());
        kaMemoryStream stream(bytes.data(), bytes.size());
        kaImage inMemory;
        EXPECT_EQ(inMemory.LoadFromStream(&stream), result);
        EXPECT_EQ(inMemory.getFormat(), image.getFormat());
        EXPECT_EQ(inMemory.getLevelCount(), image.getLevelCount());
        if (image.getLevelCount() != 0 && inMemory.getLevelCount() != 0) {
            const kaImageLevel& level = image.getLevel(0);
            EXPECT_EQ(inMemory.getLevel(0).size, level.size);
            EXPECT_EQ(std::memcmp(inMemory.getLevel(0).data, level.data, level.size), 0);
        }
        return result;
    }
    std::string Level(uint32_t level = 0, uint32_t face = 0) const {
        const kaImageLevel& entry = image.getLevel(level, face);
        return std::string(reinterpret_cast<const char*>(entry.data), entry.size);
    }
    void ExpectEmpty() const {
        EXPECT_EQ(image.getLevelCount(), 0u);
        EXPECT_EQ(image.getFormat(), 0u);
        EXPECT_EQ(image.isCubeMap(), 0);
    }
    // Every prefix shorter than the bytes a valid file needs must fail
    // cleanly (a bitmap's last row needs no padding).
    void ExpectEveryPrefixFails(const std::string& bytes, size_t unneeded = 0) {
        for (size_t n = 0; n + unneeded < bytes.size(); ++n) {
            SCOPED_TRACE(n);
            EXPECT_NE(LoadBytes(bytes.substr(0, n)), KA_OK);
            ExpectEmpty();
        }
    }

    kaTempDir dir;
    kaImage image;
};

TEST_F(ImageDecoderTest, UnknownContentAndMissingFilesLeaveAnEmptyImage) {
    ASSERT_EQ(LoadBytes(Tga(2, 1, 1, 24, 0, "abc")), KA_OK);
    EXPECT_EQ(LoadBytes("GIF89a....."), KA_ERR_UNRECOGNISED);
    ExpectEmpty();
    // A JPEG without "JFIF" at byte 6 (an EXIF file) is not recognised.
    EXPECT_EQ(LoadBytes(std::string("\xFF\xD8\xFF\xE1\x00\x10" "Exif\0\0", 12)), KA_ERR_UNRECOGNISED);
    // Run-length TGA files are not admitted by detection.
    EXPECT_EQ(LoadBytes(Tga(10, 1, 1, 24, 0, "abc")), KA_ERR_UNRECOGNISED);
    EXPECT_EQ(image.Load(dir.file("absent.png").c_str()), KA_ERR_OPENFAIL);
    EXPECT_EQ(image.LoadFromStream(nullptr), KA_ERR_INVALIDARG);
    uint32_t width = 7;
    EXPECT_EQ(image.getLevelDesc(0, nullptr, &width, nullptr), KA_ERR_INVALIDARG);
    EXPECT_EQ(width, 7u);
}

TEST_F(ImageDecoderTest, BitmapRowsArePaddedAndStoredBottomUp) {
    // 3 x 2 at 24 bits: 9 bytes of pixels and 3 of padding per row.
    const std::string bottom = std::string("\x01\x02\x03\x04\x05\x06\x07\x08\x09", 9) + "PAD";
    const std::string top = std::string("\x11\x12\x13\x14\x15\x16\x17\x18\x19", 9) + "PAD";
    ASSERT_EQ(LoadBytes(Bmp(3, 2, 24, 0, bottom + top)), KA_OK);
    uint32_t format = 0, width = 0, height = 0;
    ASSERT_EQ(image.getLevelDesc(0, &format, &width, &height), KA_OK);
    EXPECT_EQ(format, uint32_t(KA_IMG_R8G8B8));
    EXPECT_EQ(width, 3u);
    EXPECT_EQ(height, 2u);
    EXPECT_EQ(Level(), std::string("\x13\x12\x11\x16\x15\x14\x19\x18\x17"
                                   "\x03\x02\x01\x06\x05\x04\x09\x08\x07", 18));

    ASSERT_EQ(LoadBytes(Bmp(1, 1, 32, 0, "BGRA")), KA_OK);
    EXPECT_EQ(image.getFormat(), uint32_t(KA_IMG_R8G8B8A8));
    EXPECT_EQ(Level(), "RGBA");
}

TEST_F(ImageDecoderTest, EightBitBitmapsAreLuminanceOrPaletteColours) {
    ASSERT_EQ(LoadBytes(Bmp(2, 1, 8, 0, std::string("\x10\x20\0\0", 4))), KA_OK);
    EXPECT_EQ(image.getFormat(), uint32_t(KA_IMG_L8));
    EXPECT_EQ(Level(), "\x10\x20");

    // Two palette entries (blue, green, red, reserved); index 5 lies beyond them.
    const std::string palette("\x01\x02\x03\x00\x0A\x0B\x0C\x00", 8);
    ASSERT_EQ(LoadBytes(Bmp(3, 1, 8, 0, std::string("\x01\x00\x05\x00", 4), 2, palette)), KA_OK);
    EXPECT_EQ(image.getFormat(), uint32_t(KA_IMG_R8G8B8A8));
    EXPECT_EQ(Level(), std::string("\x0C\x0B\x0A\xFF\x03\x02\x01\xFF\x00\x00\x00\xFF", 12));
    EXPECT_EQ(LoadBytes(Bmp(1, 1, 8, 0, std::string(4, '\0'), 257)), KA_ERR_UNRECOGNISED);

    // A count of 0 with room for all 256 entries before the pixels is a full
    // palette, as most tools write it; with less room the bytes stay luminance.
    std::string full(1024, '\0');
    full.replace(4 * 7, 4, "\x30\x20\x10\x00", 4);
    ASSERT_EQ(LoadBytes(Bmp(1, 1, 8, 0, std::string("\x07\0\0\0", 4), 0, full)), KA_OK);
    EXPECT_EQ(image.getFormat(), uint32_t(KA_IMG_R8G8B8A8));
    EXPECT_EQ(Level(), "\x10\x20\x30\xFF");
    ASSERT_EQ(LoadBytes(Bmp(1, 1, 8, 0, std::string("\x07\0\0\0", 4), 0, full.substr(4))), KA_OK);
    EXPECT_EQ(image.getFormat(), uint32_t(KA_IMG_L8));
    EXPECT_EQ(Level(), "\x07");
}

TEST_F(ImageDecoderTest, SixteenBitBitmapsBecome565) {
    // Without bit fields the pixels are 5-5-5: each field is widened to
    // 8 bits by repeating its bits, then packed as 5-6-5.
    kaByteWriter plain;
    plain.u16(0x7FFF).u16(0x0421);
    ASSERT_EQ(LoadBytes(Bmp(2, 1, 16, 0, plain.bytes())), KA_OK);
    EXPECT_EQ(image.getFormat(), uint32_t(KA_IMG_R5G6B5));
    EXPECT_EQ(Level(), std::string("\xFF\xFF\x41\x08", 4));

    kaByteWriter masks565;
    masks565.u32(0xF800).u32(0x07E0).u32(0x001F);
    kaByteWriter pixels;
    pixels.u16(0x1234).u16(0xFEDC);
    ASSERT_EQ(LoadBytes(Bmp(2, 1, 16, 3, pixels.bytes(), 0, masks565.bytes())), KA_OK);
    EXPECT_EQ(Level(), pixels.bytes());

    // Blue in the top bits: every field is shifted down before widening.
    kaByteWriter swapped;
    swapped.u32(0x001F).u32(0x07E0).u32(0xF800);
    kaByteWriter blueTop;
    blueTop.u16(0xF800).u16(0);
    ASSERT_EQ(LoadBytes(Bmp(2, 1, 16, 3, blueTop.bytes(), 0, swapped.bytes())), KA_OK);
    EXPECT_EQ(Level(), std::string("\x1F\x00\x00\x00", 4));

    kaByteWriter masks444;
    masks444.u32(0x0F00).u32(0x00F0).u32(0x000F);
    EXPECT_EQ(LoadBytes(Bmp(2, 1, 16, 3, pixels.bytes(), 0, masks444.bytes())),
              KA_ERR_UNSUPPORTED);
}

TEST_F(ImageDecoderTest, UnsupportedBitmapsAreRefused) {
    const std::string row(4, '\0');
    EXPECT_EQ(LoadBytes(Bmp(1, 1, 8, 1, row)), KA_ERR_UNSUPPORTED);    // run-length
    EXPECT_EQ(LoadBytes(Bmp(1, 1, 32, 3, row, 0, std::string(12, '\xFF'))), KA_ERR_UNSUPPORTED);
    EXPECT_EQ(LoadBytes(Bmp(8, 1, 4, 0, row)), KA_ERR_UNSUPPORTED);    // 4 bits per pixel
    EXPECT_EQ(LoadBytes(Bmp(1, uint32_t(-1), 24, 0, row)), KA_ERR_UNSUPPORTED);  // top-down
    EXPECT_EQ(LoadBytes(Bmp(0, 1, 24, 0, row)), KA_ERR_UNRECOGNISED);
    EXPECT_EQ(LoadBytes(Bmp(-3, 1, 24, 0, row)), KA_ERR_UNRECOGNISED);
    // The old 12-byte core header.
    kaByteWriter core;
    core.text("BM").u32(30).u32(0).u32(26).u32(12).u16(1).u16(1).u16(1).u16(24).text("abcd");
    EXPECT_EQ(LoadBytes(core.bytes()), KA_ERR_UNSUPPORTED);
    // Pictures beyond 4096 x 4096 at 32 bits are refused before anything is
    // read, whatever their own pixel size: such a row would be too long for
    // the mip filters, and a compressed file could announce it in a few bytes.
    EXPECT_EQ(LoadBytes(Bmp(4096, 4096, 8, 0, row)), KA_ERR_READFAIL);
    EXPECT_EQ(LoadBytes(Bmp(4097, 4096, 8, 0, row)), KA_ERR_OUTOFMEMORY);
    EXPECT_EQ(LoadBytes(Bmp(25165827, 1, 8, 0, row)), KA_ERR_OUTOFMEMORY);
    EXPECT_EQ(LoadBytes(Bmp(65536, 65536, 32, 0, row)), KA_ERR_OUTOFMEMORY);
    EXPECT_EQ(LoadBytes(Bmp(0x7FFFFFFF, 0x7FFFFFFF, 24, 0, row)), KA_ERR_OUTOFMEMORY);
    // A header that promises more rows than the file holds.
    EXPECT_EQ(LoadBytes(Bmp(1000, 1000, 24, 0, row)), KA_ERR_READFAIL);
    ExpectEmpty();
}

TEST_F(ImageDecoderTest, TgaOrientationFollowsTheExactDescriptor) {
    const std::string rows("\x01\x02\x03\x04\x05\x06", 6);  // two rows of one pixel
    ASSERT_EQ(LoadBytes(Tga(2, 1, 2, 24, 0x20, rows)), KA_OK);
    EXPECT_EQ(Level(), std::string("\x03\x02\x01\x06\x05\x04", 6));
    for (unsigned descriptor : {0x00u, 0x28u}) {
        ASSERT_EQ(LoadBytes(Tga(2, 1, 2, 24, descriptor, rows)), KA_OK);
        EXPECT_EQ(Level(), std::string("\x06\x05\x04\x03\x02\x01", 6)) << descriptor;
    }
}

TEST_F(ImageDecoderTest, TgaPixelFormats) {
    ASSERT_EQ(LoadBytes(Tga(3, 2, 1, 8, 0x20, "\x10\x20")), KA_OK);
    EXPECT_EQ(image.getFormat(), uint32_t(KA_IMG_L8));
    ASSERT_EQ(LoadBytes(Tga(2, 1, 1, 32, 0x20, "BGRA")), KA_OK);
    EXPECT_EQ(Level(), "RGBA");

    // 1-5-5-5 to 5-6-5: red moves up a bit, green gains a zero low bit.
    kaByteWriter pixels;
    pixels.u16(0xFFFF).u16(0x0421);
    ASSERT_EQ(LoadBytes(Tga(2, 2, 1, 16, 0x20, pixels.bytes())), KA_OK);
    EXPECT_EQ(image.getFormat(), uint32_t(KA_IMG_R5G6B5));
    EXPECT_EQ(Level(), std::string("\xDF\xFF\x41\x08", 4));

    EXPECT_EQ(LoadBytes(Tga(2, 1, 1, 15, 0x20, "ab")), KA_ERR_UNRECOGNISED);
    EXPECT_EQ(LoadBytes(Tga(2, 0, 1, 24, 0x20, "abc")), KA_ERR_UNRECOGNISED);
    // A colour-mapped file reaches the decoder only directly.
    kaFileStream stream;
    ASSERT_EQ(stream.Open(dir.write("mapped.tga", Tga(1, 1, 1, 8, 0, "a")).c_str(), "rb"), KA_OK);
    EXPECT_EQ(image.LoadTGA(&stream), KA_ERR_UNSUPPORTED);
}

TEST_F(ImageDecoderTest, DdsChainsKeepTheirLevelsAndSurplusEntriesStayEmpty) {
    DdsHeader h;
    h.width = 8;
    h.height = 4;
    h.caps |= 0x400000;
    h.mipCount = 6;  // the chain allows 4: 8x4, 4x2, 2x1, 1x1
    const std::string data = std::string(16, 'a') + std::string(8, 'b') + std::string(8, 'c') +
                             std::string(8, 'd');
    ASSERT_EQ(LoadBytes(Dds(h, data)), KA_OK);
    EXPECT_EQ(image.getFormat(), uint32_t(KA_IMG_DXT1));
    ASSERT_EQ(image.getLevelCount(), 6u);
    const uint32_t widths[6] = {8, 4, 2, 1, 0, 0};
    const uint32_t heights[6] = {4, 2, 1, 1, 0, 0};
    const uint32_t sizes[6] = {16, 8, 8, 8, 0, 0};
    for (uint32_t l = 0; l < 6; ++l) {
        EXPECT_EQ(image.getLevel(l).width, widths[l]) << l;
        EXPECT_EQ(image.getLevel(l).height, heights[l]) << l;
        EXPECT_EQ(image.getLevel(l).size, sizes[l]) << l;
    }
    EXPECT_EQ(Level(3), std::string(8, 'd'));
    EXPECT_EQ(image.getLevelData(4), nullptr);

    // A mip-map count of 0 is the single level.
    h.mipCount = 0;
    ASSERT_EQ(LoadBytes(Dds(h, data)), KA_OK);
    EXPECT_EQ(image.getLevelCount(), 1u);
    h.mipCount = 1000;
    EXPECT_EQ(LoadBytes(Dds(h, data)), KA_ERR_UNRECOGNISED);
}

TEST_F(ImageDecoderTest, DdsCubeMapsAreReadFaceByFace) {
    DdsHeader h;
    h.width = h.height = 2;
    h.caps |= 0x400000;
    h.mipCount = 2;
    h.caps2 = 0xFE00;
    h.pixelFlags = 0x40;
    h.rgbBits = 8;
    std::string data;
    for (char face = 'A'; face < 'G'; ++face) data += std::string(4, face) + std::string(1, face + 32);
    ASSERT_EQ(LoadBytes(Dds(h, data)), KA_OK);
    EXPECT_EQ(image.isCubeMap(), 1);
    EXPECT_EQ(image.getFormat(), uint32_t(KA_IMG_L8));
    EXPECT_EQ(Level(0, 3), "DDDD");
    EXPECT_EQ(Level(1, 5), "f");
}

TEST_F(ImageDecoderTest, UncompressedDdsPixelsBecomeRgbOrder) {
    DdsHeader h;
    h.width = h.height = 1;
    h.pixelFlags = 0x41;
    h.rgbBits = 32;
    h.masks[0] = 0xFF0000;
    ASSERT_EQ(LoadBytes(Dds(h, "BGRA")), KA_OK);
    EXPECT_EQ(Level(), "RGBA");
    // No alpha bits: the fourth byte is filler.
    h.pixelFlags = 0x40;
    ASSERT_EQ(LoadBytes(Dds(h, "BGRx")), KA_OK);
    EXPECT_EQ(Level(), "RGB\xFF");
    // Red in the lowest byte: already in order.
    h.masks[0] = 0xFF;
    h.rgbBits = 24;
    ASSERT_EQ(LoadBytes(Dds(h, "RGB")), KA_OK);
    EXPECT_EQ(Level(), "RGB");
}

TEST_F(ImageDecoderTest, BadDdsHeadersAreRefused) {
    const std::string blocks(8, 'x');
    DdsHeader dxt2;
    dxt2.fourCC = "DXT2";
    EXPECT_EQ(LoadBytes(Dds(dxt2, blocks)), KA_ERR_UNRECOGNISED);
    DdsHeader size;
    size.size = 120;
    EXPECT_EQ(LoadBytes(Dds(size, blocks)), KA_ERR_UNRECOGNISED);
    DdsHeader noTexture;
    noTexture.caps = 0;
    EXPECT_EQ(LoadBytes(Dds(noTexture, blocks)), KA_ERR_UNRECOGNISED);
    DdsHeader noFormat;
    noFormat.pixelFlags = 0x200;
    EXPECT_EQ(LoadBytes(Dds(noFormat, blocks)), KA_ERR_UNSUPPORTED);
    DdsHeader oddBits;
    oddBits.pixelFlags = 0x40;
    oddBits.rgbBits = 12;
    EXPECT_EQ(LoadBytes(Dds(oddBits, blocks)), KA_ERR_UNSUPPORTED);
    DdsHeader huge;
    huge.width = huge.height = 0x40000;
    EXPECT_EQ(LoadBytes(Dds(huge, blocks)), KA_ERR_OUTOFMEMORY);
    DdsHeader empty;
    empty.width = 0;
    EXPECT_EQ(LoadBytes(Dds(empty, blocks)), KA_ERR_UNRECOGNISED);
    ExpectEmpty();
}

TEST_F(ImageDecoderTest, CutShortFilesFailCleanlyAtEveryLength) {
    ExpectEveryPrefixFails(Bmp(3, 2, 24, 0, std::string(24, 'p')), 3);
    ExpectEveryPrefixFails(Bmp(3, 1, 8, 0, "abc.", 2, std::string(8, 'q')), 1);
    kaByteWriter masks;
    masks.u32(0xF800).u32(0x07E0).u32(0x001F);
    ExpectEveryPrefixFails(Bmp(2, 1, 16, 3, "abcd", 0, masks.bytes()));
    ExpectEveryPrefixFails(Tga(2, 2, 2, 32, 0, std::string(16, 't')));
    ExpectEveryPrefixFails(Tga(2, 2, 2, 32, 0x20, std::string(16, 't')));
    DdsHeader h;
    h.caps |= 0x400000;
    h.caps2 = 0xFE00;
    h.mipCount = 3;
    ExpectEveryPrefixFails(Dds(h, std::string(6 * 24, 'd')));
}

TEST_F(ImageDecoderTest, ConvertTo32BitsWidensWithoutBitReplication) {
    ASSERT_EQ(LoadBytes(Tga(3, 2, 1, 8, 0x20, "\x10\x20")), KA_OK);
    ASSERT_EQ(image.ConvertTo32Bits(), KA_OK);
    EXPECT_EQ(image.getFormat(), uint32_t(KA_IMG_R8G8B8A8));
    EXPECT_EQ(image.getLevel(0).size, 8u);
    EXPECT_EQ(Level(), std::string("\x10\x10\x10\xFF\x20\x20\x20\xFF", 8));

    kaByteWriter pixels;
    pixels.u16(0xFFFF).u16(0x0821);
    ASSERT_EQ(LoadBytes(Bmp(2, 1, 16, 3, pixels.bytes(), 0,
                            kaByteWriter().u32(0xF800).u32(0x07E0).u32(0x001F).bytes())),
              KA_OK);
    ASSERT_EQ(image.ConvertTo32Bits(), KA_OK);
    EXPECT_EQ(Level(), std::string("\xF8\xFC\xF8\xFF\x08\x04\x08\xFF", 8));

    ASSERT_EQ(LoadBytes(Tga(2, 1, 1, 24, 0x20, "BGR")), KA_OK);
    ASSERT_EQ(image.ConvertTo32Bits(), KA_OK);
    EXPECT_EQ(Level(), "RGB\xFF");
    ASSERT_EQ(image.ConvertTo32Bits(), KA_OK);  // already 32 bits: unchanged
    EXPECT_EQ(Level(), "RGB\xFF");

    ASSERT_EQ(LoadBytes(Dds(DdsHeader(), std::string(8, 'x'))), KA_OK);
    EXPECT_EQ(image.ConvertTo32Bits(), KA_ERR_UNRECOGNISED);
    EXPECT_EQ(image.getFormat(), uint32_t(KA_IMG_DXT1));
}

// A PNG made in memory by the library itself.
std::string MakePng(const std::vector<unsigned char>& rgba, unsigned width, unsigned height) {
    png_image out = {};
    out.version = PNG_IMAGE_VERSION;
    out.width = width;
    out.height = height;
    out.format = PNG_FORMAT_RGBA;
    png_alloc_size_t size = 0;
    png_image_write_to_memory(&out, nullptr, &size, 0, rgba.data(), 0, nullptr);
    std::string bytes(size, '\0');
    png_image_write_to_memory(&out, &bytes[0], &size, 0, rgba.data(), 0, nullptr);
    return bytes;
}

TEST_F(ImageDecoderTest, AFailedPngDecodeDoesNotSpoilTheNext) {
    const std::vector<unsigned char> rgba = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    const std::string png = MakePng(rgba, 3, 1);
    ASSERT_GT(png.size(), 40u);
    std::string corrupt = png;
    corrupt[40] ^= 0x55;  // inside the compressed data
    for (const std::string& bad : {png.substr(0, png.size() / 2), corrupt}) {
        const int result = LoadBytes(bad);
        EXPECT_TRUE(result == KA_ERR_READFAIL || result == KA_ERR_PLATFORM) << result;
        ExpectEmpty();
    }
    ASSERT_EQ(LoadBytes(png), KA_OK);
    EXPECT_EQ(image.getFormat(), uint32_t(KA_IMG_R8G8B8A8));
    EXPECT_EQ(Level(), std::string(rgba.begin(), rgba.end()));
}

}  // namespace
