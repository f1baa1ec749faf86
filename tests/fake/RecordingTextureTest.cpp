#include <gtest/gtest.h>

#include <vector>

#include "kaRecordingDevice.h"

namespace {

using T = kaRecordingTexture;

class RecordingTextureTest : public ::testing::Test {
protected:
    kaRecordingTexture* Make2D(unsigned width, unsigned height, unsigned format,
                               unsigned levels) {
        kaBaseTexture* texture = nullptr;
        EXPECT_EQ(device.CreateTexture(&texture, width, height, format, levels, 0), 0);
        return device.recorded(texture);
    }

    kaRecordingDevice device;
};

TEST_F(RecordingTextureTest, LevelSizesOfEachFormat) {
    EXPECT_EQ(T::LevelSize(T::kDXT1, 5, 5, 1), 32u);
    EXPECT_EQ(T::LevelSize(T::kDXT5, 4, 4, 3), 48u);
    EXPECT_EQ(T::LevelSize(T::kDXT3, 1, 1, 1), 16u);
    EXPECT_EQ(T::LevelSize(T::kA8R8G8B8, 3, 2, 2), 48u);
    EXPECT_EQ(T::LevelSize(T::kR5G6B5, 3, 2, 1), 12u);
    EXPECT_EQ(T::LevelSize(T::kL8, 3, 2, 1), 6u);
    EXPECT_EQ(T::LevelSize(22, 4, 4, 1), 0u) << "X8R8G8B8 has no defined size";
}

TEST_F(RecordingTextureTest, FullChainHalvesEachSideDownToOne) {
    kaRecordingTexture* texture = Make2D(256, 64, T::kA8R8G8B8, 0);
    ASSERT_NE(texture, nullptr);
    unsigned levels = 0;
    ASSERT_EQ(texture->getLevelCount(&levels), 0);
    EXPECT_EQ(levels, 9u);
    unsigned format = 0, width = 0, height = 0, depth = 7;
    ASSERT_EQ(texture->getLevelDesc(&format, &width, &height, &depth, 6), 0);
    EXPECT_EQ(format, T::kA8R8G8B8);
    EXPECT_EQ(width, 4u);
    EXPECT_EQ(height, 1u);
    EXPECT_EQ(depth, 0u) << "2D levels report depth 0";
    EXPECT_EQ(texture->levelBytes(8).size(), 4u);
    EXPECT_EQ(texture->getLevelDesc(nullptr, nullptr, nullptr, nullptr, 8), 0);
    EXPECT_EQ(texture->getLevelDesc(&format, &width, &height, &depth, 9), 1);

    EXPECT_EQ(Make2D(64, 64, T::kDXT1, 3)->levelCount(), 3u);
    EXPECT_EQ(Make2D(8, 8, T::kDXT1, 20)->levelCount(), 4u) << "capped at the full chain";
}

TEST_F(RecordingTextureTest, UploadKeepsTheCallersBytesAndReadsThemBack) {
    kaRecordingTexture* texture = Make2D(2, 1, T::kA8R8G8B8, 1);
    std::vector<uint8_t> texels = {10, 20, 30, 40, 50, 60, 70, 80};
    EXPECT_FALSE(texture->isUploaded(0));
    ASSERT_EQ(texture->UpdateBuffer(texels.data(), 0), 0);
    EXPECT_TRUE(texture->isUploaded(0));
    EXPECT_EQ(texture->levelBytes(0), texels);

    std::vector<uint8_t> back(8, 0);
    ASSERT_EQ(texture->getBuffer(back.data(), 0), 0);
    EXPECT_EQ(back, texels);
    EXPECT_EQ(texture->UpdateBuffer(texels.data(), 1), 1) << "no second level";
    EXPECT_EQ(texture->UpdateBuffer(nullptr, 0), 2);
    EXPECT_EQ(texture->uploadCount(), 1u);

    kaRecordingTexture* unsized = Make2D(2, 2, 22, 1);
    EXPECT_EQ(unsized->UpdateBuffer(texels.data(), 0), 0)
        << "a format without a defined size copies nothing";
    EXPECT_TRUE(unsized->levelBytes(0).empty());
}

TEST_F(RecordingTextureTest, OperationsOfAnotherKindChangeNothing) {
    kaRecordingTexture* flat = Make2D(4, 4, T::kL8, 1);
    std::vector<uint8_t> texels(16, 9);
    EXPECT_EQ(flat->UpdateCubeFaceBuffer(texels.data(), 0, 0), 3);
    EXPECT_EQ(flat->UpdateVolumeBuffer(texels.data(), 0), 3);
    EXPECT_FALSE(flat->isUploaded(0));
    EXPECT_EQ(flat->levelBytes(0), std::vector<uint8_t>(16, 0));

    kaBaseTexture* cube = nullptr;
    ASSERT_EQ(device.CreateCubeTexture(&cube, 2, T::kL8, 2, 0), 0);
    EXPECT_EQ(cube->UpdateBuffer(texels.data(), 0), 3);
    ASSERT_EQ(cube->UpdateCubeFaceBuffer(texels.data(), 3, 1), 0);
    EXPECT_EQ(cube->UpdateCubeFaceBuffer(texels.data(), 6, 0), 1);
    const kaRecordingTexture* recorded = device.recorded(cube);
    EXPECT_TRUE(recorded->isUploaded(1, 3));
    EXPECT_FALSE(recorded->isUploaded(1, 2));
    EXPECT_EQ(recorded->levelBytes(1, 3), std::vector<uint8_t>(1, 9));
    EXPECT_THROW(recorded->levelBytes(1, 6), std::out_of_range);
}

TEST_F(RecordingTextureTest, VolumeLevelsHalveTheDepthToo) {
    kaBaseTexture* volume = nullptr;
    ASSERT_EQ(device.CreateVolumeTexture(&volume, 8, 8, 6, T::kDXT5, 0, 0), 0);
    unsigned width = 0, height = 0, depth = 0;
    ASSERT_EQ(volume->getLevelDesc(nullptr, &width, &height, &depth, 1), 0);
    EXPECT_EQ(width * 100 + height * 10 + depth, 443u);
    std::vector<uint8_t> level(48, 5);
    ASSERT_EQ(volume->UpdateVolumeBuffer(level.data(), 1), 0);
    EXPECT_EQ(device.recorded(volume)->levelBytes(1), level);
    EXPECT_EQ(device.recorded(volume)->levelCount(), 4u);
    EXPECT_EQ(device.CreateVolumeTexture(&volume, 512, 8, 8, T::kL8, 1, 0), 1)
        << "larger than a volume texture can be";
}

TEST_F(RecordingTextureTest, ReleaseDestroysWhenTheCountWasOne) {
    kaBaseTexture* texture = nullptr;
    ASSERT_EQ(device.CreateTexture(&texture, 4, 4, T::kA8R8G8B8, 1, 0), 0);
    EXPECT_EQ(texture->getRefCount(), 1u);
    texture->IncRef();
    EXPECT_EQ(texture->getRefCount(), 2u);
    EXPECT_EQ(texture->Release(), 0);
    ASSERT_EQ(device.liveTextures().size(), 1u) << "the first release keeps it alive";
    EXPECT_EQ(texture->getRefCount(), 1u);
    EXPECT_EQ(texture->Release(), 0);
    EXPECT_TRUE(device.liveTextures().empty());
    EXPECT_EQ(device.recorded(texture), nullptr);
    EXPECT_EQ(device.count("Texture.Release"), 2u);
}

TEST_F(RecordingTextureTest, ReleaseAfterDecRefToZeroLeaks) {
    kaBaseTexture* texture = nullptr;
    ASSERT_EQ(device.CreateTexture(&texture, 4, 4, T::kA8R8G8B8, 1, 0), 0);
    texture->DecRef();
    EXPECT_EQ(texture->Release(), 0);
    EXPECT_EQ(device.liveTextures().size(), 1u);
    EXPECT_EQ(device.Release(), 0);
    ASSERT_EQ(device.misuse().size(), 1u);
    EXPECT_EQ(device.misuse()[0], "device released before its resources (1 alive)");
}

}  // namespace
