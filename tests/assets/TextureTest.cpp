#include <gtest/gtest.h>

#include <string>

#include "kaBlockPictures.h"
#include "kaDeviceGlobal.h"
#include "kaMediaTree.h"
#include "kaRecordingDevice.h"
#include "kaRecordingMessageBoxes.h"
#include "kaResult.h"
#include "kaTestPictures.h"
#include "kaTexture.h"
#include "kaTextureList.h"

namespace {

using namespace kaTestPictures;

class TextureTest : public ::testing::Test {
protected:
    TextureTest() { gDevice = &device; }
    ~TextureTest() override { gDevice = nullptr; }

    kaRecordingTexture* Uploaded(const kaTexture& t) const { return device.recorded(t.texture); }
    std::string Bytes(const kaTexture& t, unsigned level) const {
        const std::vector<uint8_t>& bytes = Uploaded(t)->levelBytes(level);
        return std::string(bytes.begin(), bytes.end());
    }
    void ExpectOneError(const std::string& text) const {
        ASSERT_EQ(boxes.boxes().size(), 1u);
        EXPECT_EQ(boxes.boxes()[0].caption, "KA_ERR_INITFAILED");
        EXPECT_EQ(boxes.boxes()[0].text, text);
        EXPECT_EQ(boxes.boxes()[0].style, 0x10u);
    }

    kaMediaTree media;
    kaRecordingDevice device;
    kaRecordingMessageBoxes boxes;
    kaTexture texture;
};

TEST_F(TextureTest, TwentyFourBitPicturesAreWidenedAndGetAFullChain) {
    std::string stored;
    for (int i = 0; i < 16; ++i) stored += std::string("\x01\x02") + static_cast<char>(i);
    media.put("xImages/sub/rgb.tga", Tga(2, 4, 4, 24, 0x20, stored));
    ASSERT_EQ(texture.Load("sub/rgb.tga"), KA_OK);
    EXPECT_STREQ(texture.path, "../xMedia/xImages/sub/rgb.tga");
    kaRecordingTexture* t = Uploaded(texture);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->format(), 21u);
    ASSERT_EQ(t->levelCount(), 3u);
    EXPECT_EQ(Bytes(texture, 0).substr(0, 8), std::string("\x00\x02\x01\xFF\x01\x02\x01\xFF", 8));
    // Level 1 takes pixels 0, 2, 8 and 10; level 2 pixel 0.
    EXPECT_EQ(Bytes(texture, 1), std::string("\x00\x02\x01\xFF\x02\x02\x01\xFF"
                                             "\x08\x02\x01\xFF\x0A\x02\x01\xFF", 16));
    EXPECT_EQ(Bytes(texture, 2), std::string("\x00\x02\x01\xFF", 4));
    EXPECT_TRUE(boxes.boxes().empty());
    texture.Release();
    EXPECT_EQ(texture.texture, nullptr);
    EXPECT_EQ(device.liveResourceCount(), 0u);
}

TEST_F(TextureTest, SixteenBitAndBlockPicturesKeepTheirFormat) {
    kaByteWriter words;
    for (int i = 0; i < 4; ++i) words.u16(0x7FFF);
    media.put("xImages/w.tga", Tga(2, 2, 2, 16, 0x20, words.bytes()));
    ASSERT_EQ(texture.Load("w.tga"), KA_OK);
    EXPECT_EQ(Uploaded(texture)->format(), 23u);
    EXPECT_EQ(Bytes(texture, 1), std::string("\xDF\xFF", 2));

    DdsHeader h;
    h.fourCC = "DXT5";
    h.caps |= 0x400000;
    h.mipCount = 3;
    const std::string blocks = std::string(16, 'a') + std::string(16, 'b') + std::string(16, 'c');
    media.put("xImages/chain.dds", Dds(h, blocks));
    ASSERT_EQ(texture.Load("chain.dds"), KA_OK);
    EXPECT_EQ(Uploaded(texture)->format(), kaRecordingTexture::kDXT5);
    ASSERT_EQ(Uploaded(texture)->levelCount(), 3u);
    EXPECT_EQ(Bytes(texture, 2), std::string(16, 'c'));
    EXPECT_EQ(device.liveTextures().size(), 1u);  // the first texture went with the reload
}

// A device without the picture's format makes the texture in another one,
// whose levels it copies at that format's size.  Only the exact widening of
// 16-bit pictures is taken; any other change is refused before a byte is
// copied.
TEST_F(TextureTest, ASubstitutedFormatIsWidenedExactlyOrRefusedBeforeTheCopy) {
    device.substituteFormat(kaRecordingTexture::kDXT1, kaRecordingTexture::kA8R8G8B8);
    DdsHeader h;
    h.caps |= 0x400000;
    h.mipCount = 3;  // 4 x 4, 2 x 2, 1 x 1: one 8-byte block each
    media.put("xImages/blocks.dds", Dds(h, std::string(24, 'd')));
    EXPECT_EQ(texture.Load("blocks.dds"), KA_ERR_INITFAILED);
    ExpectOneError("Updating mipmap level 0 for texture ../xMedia/xImages/blocks.dds");
    EXPECT_EQ(device.count("Texture.UpdateBuffer"), 0u);
    EXPECT_EQ(device.liveResourceCount(), 0u);

    device.substituteFormat(kaRecordingTexture::kR5G6B5, kaRecordingTexture::kA8R8G8B8);
    kaByteWriter words;
    for (int i = 0; i < 4; ++i) words.u16(0x7C00);  // red
    media.put("xImages/red.tga", Tga(2, 2, 2, 16, 0x20, words.bytes()));
    ASSERT_EQ(texture.Load("red.tga"), KA_OK);
    EXPECT_EQ(Uploaded(texture)->format(), 21u);
    ASSERT_EQ(Uploaded(texture)->levelCount(), 2u);
    const std::string red("\xF8\0\0\xFF", 4);
    EXPECT_EQ(Bytes(texture, 0), red + red + red + red);
    EXPECT_EQ(Bytes(texture, 1), red);
}

// The same pictures on the Direct3D 8 device: tests/d3d8/AssetUploadTest.
TEST_F(TextureTest, BlockPicturesSmallerThanWholeBlocksUploadTheirChains) {
    ExpectBlockChainsUploadWhole(media);
    EXPECT_TRUE(boxes.boxes().empty());
}

TEST_F(TextureTest, EveryFailureShowsItsBoxAndLeavesTheTextureEmpty) {
    EXPECT_EQ(texture.Load(nullptr), KA_ERR_INVALIDARG);
    EXPECT_EQ(texture.Load("absent.png"), KA_ERR_INITFAILED);
    ExpectOneError("Error reading ../xMedia/xImages/absent.png");

    media.put("xImages/single.dds", Dds(DdsHeader(), std::string(8, 'x')));
    kaRecordingMessageBoxes mipmaps;
    EXPECT_EQ(texture.Load("single.dds"), KA_ERR_INITFAILED);
    ASSERT_EQ(mipmaps.boxes().size(), 1u);
    EXPECT_EQ(mipmaps.boxes()[0].text, "Generating mipmaps for texture ../xMedia/xImages/single.dds");

    media.put("xImages/p.tga", Tga(2, 2, 2, 32, 0x20, std::string(16, 'p')));
    device.failNext("CreateTexture", 1);
    kaRecordingMessageBoxes create;
    EXPECT_EQ(texture.Load("p.tga"), KA_ERR_INITFAILED);
    ASSERT_EQ(create.boxes().size(), 1u);
    EXPECT_EQ(create.boxes()[0].text, "Creating mipmap level 0 for texture ../xMedia/xImages/p.tga");

    device.failNext("Texture.UpdateBuffer", 1);
    kaRecordingMessageBoxes update;
    EXPECT_EQ(texture.Load("p.tga"), KA_ERR_INITFAILED);
    ASSERT_EQ(update.boxes().size(), 1u);
    EXPECT_EQ(update.boxes()[0].text, "Updating mipmap level 0 for texture ../xMedia/xImages/p.tga");
    EXPECT_EQ(texture.texture, nullptr);
    EXPECT_EQ(device.liveResourceCount(), 0u);
}

TEST_F(TextureTest, CubeMapsAndOverlongNamesAreRefused) {
    DdsHeader h;
    h.caps2 = 0xFE00;
    media.put("xImages/cube.dds", Dds(h, std::string(48, 'c')));
    kaRecordingMessageBoxes cube;
    EXPECT_EQ(texture.Load("cube.dds"), KA_ERR_INITFAILED);
    ASSERT_EQ(cube.boxes().size(), 1u);
    EXPECT_EQ(cube.boxes()[0].text, "Texture ../xMedia/xImages/cube.dds is a cube map");

    kaRecordingMessageBoxes overlong;
    const std::string name(240, 'n');
    EXPECT_EQ(texture.Load(name.c_str()), KA_ERR_INITFAILED);
    ASSERT_EQ(overlong.boxes().size(), 1u);
    EXPECT_EQ(overlong.boxes()[0].text.substr(0, 30), "Error reading ../xMedia/xImage");
    EXPECT_EQ(device.count("CreateTexture"), 0u);
}

TEST_F(TextureTest, ListsFillInOrderAndSkipFailedNames) {
    media.put("xImages/a.tga", Tga(2, 1, 1, 24, 0x20, "abc"));
    kaTextureList list;
    list.SetCapacity(2);
    EXPECT_EQ(list.Add("a.tga"), KA_OK);
    kaRecordingMessageBoxes failed;
    EXPECT_EQ(list.Add("missing.png"), KA_ERR_INITFAILED);
    ASSERT_EQ(failed.boxes().size(), 2u);
    EXPECT_EQ(failed.boxes()[1].caption, "Error");
    EXPECT_EQ(failed.boxes()[1].text, "Error creating missing.png");
    EXPECT_EQ(failed.boxes()[1].style, 0x30u);
    EXPECT_EQ(list.count, 1u);
    EXPECT_EQ(list.Add("a.tga"), KA_OK);
    EXPECT_EQ(list.count, 2u);
    EXPECT_EQ(list.Add("a.tga"), KA_OK);  // full: nothing is loaded
    EXPECT_EQ(device.count("CreateTexture"), 2u);
    EXPECT_EQ(device.liveTextures().size(), 2u);
    list.SetCapacity(1);
    EXPECT_EQ(device.liveTextures().size(), 0u);
    list.Release();
    EXPECT_EQ(list.capacity, 0u);
}

}  // namespace
