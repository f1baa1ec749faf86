// Decoded pixels against independent decoders: ImageMagick for PNG, BMP,
// TGA and DDS, libjpeg's djpeg for JPEG, and the PngSuite pictures.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <sstream>
#include <string>

#include <sys/wait.h>

#include "kaImage.h"
#include "kaResult.h"
#include "kaTempDir.h"

namespace {

const char kConvert[] = "/usr/bin/convert";
const char kDjpeg[] = "/usr/bin/djpeg";

class ImageReferenceTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!std::filesystem::exists(kConvert) || !std::filesystem::exists(kDjpeg))
            GTEST_SKIP() << "ImageMagick or djpeg is not installed";
        std::mt19937 random(7);
        std::string pixels(kWidth * kHeight * 4, '\0');
        for (char& c : pixels) c = static_cast<char>(random() & 0xFF);
        source = dir.write("source.rgba", pixels);
    }

    // djpeg exits with 2 after a warning (a file cut short).
    static void Run(const std::string& command, bool warningsAllowed = false) {
        const int status = std::system((command + " 2>/dev/null").c_str());
        const bool ok = status == 0 || (warningsAllowed && WEXITSTATUS(status) == 2);
        ASSERT_TRUE(ok) << command << ": " << status;
    }

    // Writes the random source picture with ImageMagick; options may end
    // with a format prefix such as "PNG32:".
    std::string Make(const std::string& name, const std::string& options) {
        const std::string out = dir.file(name);
        std::string settings = options, prefix;
        if (!options.empty() && options.back() == ':') {
            const size_t space = options.rfind(' ');
            prefix = space == std::string::npos ? options : options.substr(space + 1);
            settings = space == std::string::npos ? "" : options.substr(0, space);
        }
        std::ostringstream command;
        command << kConvert << " -size " << kWidth << "x" << kHeight << " -depth 8 rgba:" << source
                << " " << settings << " " << prefix << out;
        Run(command.str());
        return out;
    }

    // ImageMagick's decoding, turned to the orientation the file declares,
    // 8 bits per channel taken from its 16-bit output by the high byte, as
    // the PNG decoder strips 16-bit channels.
    std::string Reference(const std::string& path) {
        const std::string raw = dir.file("reference.rgba");
        Run(std::string(kConvert) + " " + path + " -auto-orient -depth 16 -endian MSB rgba:" + raw);
        const std::string wide = kaTempDir::read(raw);
        std::string bytes(wide.size() / 2, '\0');
        for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = wide[2 * i];
        return bytes;
    }

    // Our decoding, widened to R, G, B, A.
    std::string Decoded(const std::string& path, uint32_t expectedFormat) {
        kaImage image;
        EXPECT_EQ(image.Load(path.c_str()), KA_OK) << path;
        EXPECT_EQ(image.getFormat(), expectedFormat) << path;
        EXPECT_EQ(image.ConvertTo32Bits(), KA_OK);
        const kaImageLevel& level = image.getLevel(0);
        return std::string(reinterpret_cast<const char*>(level.data), level.size);
    }

    void ExpectSame(const std::string& path, uint32_t format) {
        SCOPED_TRACE(path);
        const std::string reference = Reference(path);
        const std::string decoded = Decoded(path, format);
        ASSERT_EQ(decoded.size(), reference.size());
        EXPECT_TRUE(decoded == reference);
    }

    static int Result(const std::string& path) {
        kaImage image;
        return image.Load(path.c_str());
    }

    static constexpr int kWidth = 13;
    static constexpr int kHeight = 7;
    kaTempDir dir;
    std::string source;
};

TEST_F(ImageReferenceTest, PngVariants) {
    ExpectSame(Make("rgba.png", "PNG32:"), KA_IMG_R8G8B8A8);
    ExpectSame(Make("rgb.png", "-alpha off PNG24:"), KA_IMG_R8G8B8);
    ExpectSame(Make("grey.png", "-alpha off -colorspace gray -depth 8"), KA_IMG_L8);
    ExpectSame(Make("palette.png", "-alpha off -colors 50 PNG8:"), KA_IMG_R8G8B8);
    ExpectSame(Make("palette-alpha.png", "-colors 50 PNG8:"), KA_IMG_R8G8B8A8);
    ExpectSame(Make("rgba16.png", "-depth 16 PNG64:"), KA_IMG_R8G8B8A8);
    ExpectSame(Make("rgb16.png", "-alpha off -depth 16 PNG48:"), KA_IMG_R8G8B8);
    ExpectSame(Make("interlaced.png", "-interlace PNG PNG32:"), KA_IMG_R8G8B8A8);
    EXPECT_EQ(Result(Make("grey-alpha.png", "-colorspace gray -depth 8")), KA_ERR_UNSUPPORTED);
    EXPECT_EQ(Result(Make("one-bit.png", "-alpha off -type bilevel PNG:")), KA_ERR_UNRECOGNISED);
}

TEST_F(ImageReferenceTest, BitmapVariants) {
    ExpectSame(Make("rgb.bmp", "-alpha off BMP3:"), KA_IMG_R8G8B8);
    ExpectSame(Make("rgba.bmp", "-define bmp3:alpha=true BMP3:"), KA_IMG_R8G8B8A8);
    ExpectSame(Make("palette.bmp", "-alpha off -colors 50 -type Palette -compress none BMP3:"),
               KA_IMG_R8G8B8A8);
    for (const char* refused : {"-define bmp:subtype=RGB555", "-define bmp:subtype=ARGB4444",
                                "BMP:", "-alpha off -colors 8 -type Palette BMP3:",
                                "-alpha off -colors 50 -compress RLE BMP3:", "-alpha off BMP2:"}) {
        EXPECT_EQ(Result(Make("refused.bmp", refused)), KA_ERR_UNSUPPORTED) << refused;
    }
}

// 5-6-5 words against ImageMagick's 8-bit channels; green6 maps its green.
void ExpectSame565(const std::string& decoded, const std::string& reference,
                   unsigned (*green6)(unsigned)) {
    ASSERT_EQ(decoded.size() * 2, reference.size());
    for (size_t p = 0; p < decoded.size() / 2; ++p) {
        const unsigned char* rgba = reinterpret_cast<const unsigned char*>(&reference[p * 4]);
        const unsigned expected = (rgba[0] >> 3) << 11 | green6(rgba[1]) << 5 | rgba[2] >> 3;
        const unsigned word = static_cast<unsigned char>(decoded[2 * p]) |
                              static_cast<unsigned char>(decoded[2 * p + 1]) << 8;
        ASSERT_EQ(word, expected) << p;
    }
}

TEST_F(ImageReferenceTest, SixteenBitBitmaps) {
    const std::string masked = Make("565.bmp", "-alpha off -define bmp:subtype=RGB565");
    kaImage image;
    ASSERT_EQ(image.Load(masked.c_str()), KA_OK);
    ASSERT_EQ(image.getFormat(), uint32_t(KA_IMG_R5G6B5));
    const kaImageLevel& level = image.getLevel(0);
    ExpectSame565(std::string(reinterpret_cast<const char*>(level.data), level.size),
                  Reference(masked), [](unsigned g) { return g >> 2; });

    // The 5-5-5 file with its compression set to plain: no masks, 5-5-5.
    std::string bytes = kaTempDir::read(Make("555.bmp", "-alpha off -define bmp:subtype=RGB555"));
    bytes[30] = 0;
    const std::string plain = dir.write("plain555.bmp", bytes);
    ASSERT_EQ(image.Load(plain.c_str()), KA_OK);
    ASSERT_EQ(image.getFormat(), uint32_t(KA_IMG_R5G6B5));
    const kaImageLevel& plainLevel = image.getLevel(0);
    ExpectSame565(std::string(reinterpret_cast<const char*>(plainLevel.data), plainLevel.size),
                  Reference(plain), [](unsigned g) {
                      const unsigned five = g >> 3;
                      return ((five << 3) | (five >> 2)) >> 2;
                  });
}

TEST_F(ImageReferenceTest, TgaVariants) {
    ExpectSame(Make("rgb.tga", "-alpha off"), KA_IMG_R8G8B8);
    const std::string bottomUp = Make("rgba.tga", "");
    ExpectSame(bottomUp, KA_IMG_R8G8B8A8);
    ExpectSame(Make("grey.tga", "-alpha off -colorspace gray -type grayscale"), KA_IMG_L8);

    // The same picture stored top-down decodes to the same pixels.
    const std::string bytes = kaTempDir::read(bottomUp);
    std::string flipped = bytes.substr(0, 18);
    flipped[17] = 0x20;
    const size_t row = kWidth * 4;
    for (int y = kHeight - 1; y >= 0; --y) flipped += bytes.substr(18 + y * row, row);
    const std::string topDown = dir.write("top-down.tga", flipped);
    EXPECT_EQ(Decoded(topDown, KA_IMG_R8G8B8A8), Reference(bottomUp));

    EXPECT_EQ(Result(Make("rle.tga", "-compress RLE")), KA_ERR_UNRECOGNISED);
}

TEST_F(ImageReferenceTest, DdsVariants) {
    ExpectSame(Make("rgba.dds", "-define dds:compression=none -define dds:mipmaps=0"),
               KA_IMG_R8G8B8A8);
    ExpectSame(Make("rgb.dds", "-alpha off -define dds:compression=none -define dds:mipmaps=0"),
               KA_IMG_R8G8B8);

    // Block-compressed chains keep every level, read in file order.
    for (const char* compression : {"dxt1", "dxt5"}) {
        const std::string path =
            dir.file(std::string(compression) + ".dds");
        Run(std::string(kConvert) + " -size 16x8 gradient:#ff000020-#0000ffff -define dds:compression=" +
            compression + " -define dds:mipmaps=4 " + path);
        kaImage image;
        ASSERT_EQ(image.Load(path.c_str()), KA_OK) << compression;
        const uint32_t block = compression[3] == '1' ? 8 : 16;
        EXPECT_EQ(image.getFormat(), uint32_t(block == 8 ? KA_IMG_DXT1 : KA_IMG_DXT5));
        ASSERT_EQ(image.getLevelCount(), 5u);
        const uint32_t sizes[5] = {8 * block, 2 * block, block, block, block};
        std::string data;
        for (uint32_t l = 0; l < 5; ++l) {
            const kaImageLevel& level = image.getLevel(l);
            EXPECT_EQ(level.width, 16u >> l);
            EXPECT_EQ(level.height, l < 3 ? 8u >> l : 1u);
            EXPECT_EQ(level.size, sizes[l]);
            data.append(reinterpret_cast<const char*>(level.data), level.size);
        }
        EXPECT_EQ(data, kaTempDir::read(path).substr(128));
    }
}

// Width, height and pixels of a binary PNM file written by djpeg.
std::string PnmPixels(const std::string& pnm, uint32_t* width, uint32_t* height) {
    std::istringstream in(pnm);
    std::string magic;
    unsigned maximum = 0;
    in >> magic >> *width >> *height >> maximum;
    in.get();
    return pnm.substr(static_cast<size_t>(in.tellg()));
}

TEST_F(ImageReferenceTest, JpegPixelsEqualDjpeg) {
    const std::string colour = Make("colour.jpg", "-alpha off -quality 85");
    const std::string large = dir.file("large.jpg");
    Run(std::string(kConvert) + " -size 64x48 gradient:red-blue -quality 90 " + large);
    const std::string bytes = kaTempDir::read(large);
    const std::string cut = dir.write("cut.jpg", bytes.substr(0, bytes.size() - 200));
    struct Case {
        std::string path;
        uint32_t format;
    } cases[] = {
        {colour, KA_IMG_R8G8B8},
        {Make("full.jpg", "-alpha off -quality 95 -sampling-factor 1x1"), KA_IMG_R8G8B8},
        {Make("grey.jpg", "-alpha off -colorspace gray"), KA_IMG_L8},
        {Make("progressive.jpg", "-alpha off -interlace JPEG"), KA_IMG_R8G8B8},
        {cut, KA_IMG_R8G8B8},  // the missing end reads as an end-of-image marker
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        const std::string pnm = dir.file("djpeg.pnm");
        Run(std::string(kDjpeg) + " -pnm -outfile " + pnm + " " + c.path, true);
        uint32_t width = 0, height = 0;
        const std::string expected = PnmPixels(kaTempDir::read(pnm), &width, &height);
        kaImage image;
        ASSERT_EQ(image.Load(c.path.c_str()), KA_OK);
        EXPECT_EQ(image.getFormat(), c.format);
        const kaImageLevel& level = image.getLevel(0);
        EXPECT_EQ(level.width, width);
        EXPECT_EQ(level.height, height);
        EXPECT_TRUE(std::string(reinterpret_cast<const char*>(level.data), level.size) == expected);
    }
}

TEST_F(ImageReferenceTest, FourComponentJpegIsRefused) {
    // ImageMagick marks CMYK files as Adobe; put a JFIF marker in front.
    const std::string cmyk = kaTempDir::read(Make("cmyk.jpg", "-alpha off -colorspace CMYK"));
    const std::string jfif("\xFF\xE0\x00\x10JFIF\x00\x01\x01\x00\x00\x01\x00\x01\x00\x00", 18);
    const std::string path = dir.write("cmyk-jfif.jpg", cmyk.substr(0, 2) + jfif + cmyk.substr(2));
    EXPECT_EQ(Result(path), KA_ERR_UNSUPPORTED);
}

TEST_F(ImageReferenceTest, JpegAnnouncingAHugePictureIsRefusedBeforeDecoding) {
    // A grey JPEG of a few hundred bytes whose frame header is made to say
    // 20000 x 20000: the decoder would fill 400 million pixels.
    std::string bytes = kaTempDir::read(Make("grey.jpg", "-alpha off -colorspace gray"));
    const size_t frame = bytes.find("\xFF\xC0");
    ASSERT_NE(frame, std::string::npos);
    bytes.replace(frame + 5, 4, std::string("\x4E\x20\x4E\x20", 4));
    EXPECT_EQ(Result(dir.write("huge.jpg", bytes)), KA_ERR_OUTOFMEMORY);
}

#ifdef VX_PNGSUITE_DIR
// PngSuite: bit depths below 8 are not recognised, grey with alpha (or with
// a transparent grey) is not supported, the rest decode; the interlaced
// ones, which carry no gamma, equal ImageMagick's pixels.
TEST_F(ImageReferenceTest, PngSuiteGivesTheDocumentedResults) {
    int decoded = 0, compared = 0, refused = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(VX_PNGSUITE_DIR)) {
        if (entry.path().extension() != ".png") continue;
        const std::string path = entry.path().string();
        SCOPED_TRACE(path);
        const std::string bytes = kaTempDir::read(path);
        const int depth = bytes[24], colourType = bytes[25];
        const bool transparency = bytes.find("tRNS") != std::string::npos;
        int expected = KA_OK;
        if (depth < 8) expected = KA_ERR_UNRECOGNISED;
        else if (colourType == 4 || (colourType == 0 && transparency)) expected = KA_ERR_UNSUPPORTED;
        kaImage image;
        ASSERT_EQ(image.Load(path.c_str()), expected);
        if (expected != KA_OK) {
            ++refused;
            continue;
        }
        ++decoded;
        EXPECT_EQ(image.getLevel(0).width, 32u);
        EXPECT_EQ(image.getLevel(0).height, 32u);
        if (bytes.find("gAMA") != std::string::npos) continue;
        const bool alpha = colourType == 6 || transparency;
        ExpectSame(path, colourType == 0 ? KA_IMG_L8 : alpha ? KA_IMG_R8G8B8A8 : KA_IMG_R8G8B8);
        ++compared;
    }
    EXPECT_GT(decoded, 20);
    EXPECT_GT(compared, 10);
    EXPECT_GT(refused, 10);
}
#endif

}  // namespace
