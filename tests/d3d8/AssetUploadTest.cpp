#include <gtest/gtest.h>

#include <vector>

#include "kaBlockPictures.h"
#include "kaD3DDeviceTest.h"
#include "kaDeviceGlobal.h"
#include "kaMediaTree.h"
#include "kaMeshModel.h"
#include "kaRecordingMessageBoxes.h"
#include "kaTestModels.h"
#include "kaTestPictures.h"
#include "kaTexture.h"

namespace {

// Pictures and models loaded by the player's own loaders onto the real
// Direct3D 8 device.
class AssetUploadTest : public kaD3DDeviceTest {
protected:
    void SetUp() override {
        kaD3DDeviceTest::SetUp();
        gDevice = mDevice;
    }
    void TearDown() override {
        gDevice = nullptr;
        kaD3DDeviceTest::TearDown();
    }

    kaMediaTree media;
    kaRecordingMessageBoxes boxes;
};

// A 4 x 4 picture whose texels all differ, as a 32-bit TGA (bottom row
// first, B G R A) and as the R G B A rows (top row first) it decodes to.
struct Picture {
    std::string tga;
    std::vector<unsigned char> rgba;
};

Picture Checker() {
    Picture picture;
    std::string stored(64, '\0');
    picture.rgba.resize(64);
    for (unsigned y = 0; y < 4; ++y) {
        for (unsigned x = 0; x < 4; ++x) {
            const unsigned char r = 16 * x + 1, g = 16 * y + 2, b = 200 - 10 * x, a = 255 - y;
            const unsigned top = (y * 4 + x) * 4, bottom = ((3 - y) * 4 + x) * 4;
            picture.rgba[top] = r;
            picture.rgba[top + 1] = g;
            picture.rgba[top + 2] = b;
            picture.rgba[top + 3] = a;
            stored[bottom] = static_cast<char>(b);
            stored[bottom + 1] = static_cast<char>(g);
            stored[bottom + 2] = static_cast<char>(r);
            stored[bottom + 3] = static_cast<char>(a);
        }
    }
    picture.tga = kaTestPictures::Tga(2, 4, 4, 32, 8, stored);
    return picture;
}

TEST_F(AssetUploadTest, APictureArrivesWithItsMipChainAndReadsBackUnchanged) {
    const Picture picture = Checker();
    media.put("xImages/checker.tga", picture.tga);
    kaTexture texture;
    ASSERT_EQ(texture.Load("checker.tga"), 0);
    ASSERT_NE(texture.texture, nullptr);
    unsigned levels = 0;
    ASSERT_EQ(texture.texture->getLevelCount(&levels), 0);
    EXPECT_EQ(levels, 3u) << "4 x 4, 2 x 2, 1 x 1";
    std::vector<unsigned char> back(64);
    ASSERT_EQ(texture.texture->getBuffer(back.data(), 0), 0);
    EXPECT_EQ(back, picture.rgba);
    texture.Release();
    EXPECT_TRUE(boxes.boxes().empty());
}

TEST_F(AssetUploadTest, BlockPicturesSmallerThanWholeBlocksUploadTheirChains) {
    ExpectBlockChainsUploadWhole(media);
    EXPECT_TRUE(boxes.boxes().empty());
}

TEST_F(AssetUploadTest, AModelGetsItsBuffersAndItsMaterialTextures) {
    const Picture picture = Checker();
    media.put("xImages/colour.tga", picture.tga);
    media.put("xImages/normal.tga", picture.tga);
    kaTestModels::Material material;
    material.textures = {"colour.tga", "normal.tga"};
    media.put("xModels/tri.tdm", kaTestModels::Tdm({material}, {kaTestModels::Triangle(0)}, {}));

    kaMeshModel model;
    ASSERT_EQ(model.Load("tri.tdm"), 0);
    ASSERT_EQ(model.meshes.size(), 1u);
    ASSERT_NE(model.meshes[0].buffer, nullptr);
    EXPECT_EQ(model.meshes[0].buffer->getVertexSize(), 56u);
    ASSERT_EQ(model.materials.size(), 1u);
    EXPECT_EQ(model.materials[0].count, 2u);
    for (unsigned i = 0; i < model.materials[0].count; ++i) {
        EXPECT_NE(model.materials[0].textures[i].texture, nullptr);
    }
    model.Release();
    EXPECT_TRUE(boxes.boxes().empty());
}

}  // namespace
