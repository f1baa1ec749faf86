#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "kaDeviceGlobal.h"
#include "kaNormalizationCubeMap.h"
#include "kaRecordingDevice.h"
#include "kaRecordingMessageBoxes.h"
#include "kaResult.h"

namespace {

constexpr unsigned kEdge = 64;

class NormalizationCubeMapTest : public ::testing::Test {
protected:
    NormalizationCubeMapTest() { gDevice = &device; }
    ~NormalizationCubeMapTest() override { gDevice = nullptr; }

    kaRecordingDevice device;
    kaRecordingMessageBoxes boxes;
};

struct Texel {
    unsigned face, row, column;
};

// Where the Direct3D 8 cube lookup sends direction d: the face of its major
// axis and the texel under (s, t) = ((sc / |ma| + 1) / 2, (tc / |ma| + 1) / 2).
Texel Lookup(float x, float y, float z) {
    const float ax = std::fabs(x), ay = std::fabs(y), az = std::fabs(z);
    unsigned face;
    float sc, tc, ma;
    if (ax >= ay && ax >= az) {
        face = x > 0 ? 0 : 1, sc = x > 0 ? -z : z, tc = -y, ma = ax;
    } else if (ay >= az) {
        face = y > 0 ? 2 : 3, sc = x, tc = y > 0 ? z : -z, ma = ay;
    } else {
        face = z > 0 ? 4 : 5, sc = z > 0 ? x : -x, tc = -y, ma = az;
    }
    const auto index = [](float c) {
        return unsigned(std::fmin(std::floor((c + 1) / 2 * kEdge), kEdge - 1));
    };
    return {face, index(tc / ma), index(sc / ma)};
}

float Unpack(uint8_t byte) { return (float(byte) - 128) / 127; }

TEST_F(NormalizationCubeMapTest, EveryTexelPointsAtItselfThroughTheCubeLookup) {
    kaBaseTexture* texture = nullptr;
    ASSERT_EQ(kaNormalizationCubeMap::Create(&texture, kEdge), KA_OK);
    const kaDeviceCall* create = device.lastCall("CreateCubeTexture");
    ASSERT_NE(create, nullptr);
    EXPECT_EQ(create->u(1), kEdge);
    EXPECT_EQ(create->u(2), 21u);
    EXPECT_EQ(create->u(3), 1u);
    EXPECT_EQ(create->u(4), 0u);
    const auto uploads = device.callsNamed("Texture.UpdateCubeFaceBuffer");
    ASSERT_EQ(uploads.size(), 6u);
    for (unsigned face = 0; face < 6; ++face) {
        EXPECT_EQ(uploads[face].u(2), face);
        EXPECT_EQ(uploads[face].u(3), 0u);
    }

    // Each texel's direction leads the lookup back to that texel, and the
    // uploaded bytes hold it to within one step of 1/127.
    const kaRecordingTexture* recorded = device.recorded(texture);
    ASSERT_NE(recorded, nullptr);
    unsigned misplaced = 0, misencoded = 0;
    for (unsigned face = 0; face < 6; ++face) {
        const std::vector<uint8_t>& bytes = recorded->levelBytes(0, face);
        for (unsigned row = 0; row < kEdge; ++row) {
            for (unsigned column = 0; column < kEdge; ++column) {
                const kaVector3f d = kaNormalizationCubeMap::Direction(face, row, column, kEdge);
                const Texel hit = Lookup(d.x, d.y, d.z);
                misplaced += hit.face == face && hit.row == row && hit.column == column ? 0 : 1;
                EXPECT_NEAR(std::sqrt(d.x * d.x + d.y * d.y + d.z * d.z), 1.0f, 1e-5f);
                const uint8_t* t = &bytes[(row * kEdge + column) * 4];
                const bool close = std::fabs(Unpack(t[0]) - d.x) <= 1.0f / 127 &&
                                   std::fabs(Unpack(t[1]) - d.y) <= 1.0f / 127 &&
                                   std::fabs(Unpack(t[2]) - d.z) <= 1.0f / 127 && t[3] == 255;
                misencoded += close ? 0 : 1;
            }
        }
    }
    EXPECT_EQ(misplaced, 0u);
    EXPECT_EQ(misencoded, 0u);
    texture->Release();
    EXPECT_TRUE(boxes.boxes().empty());
}

TEST_F(NormalizationCubeMapTest, CornerAndCentreTexelsHoldTheirBytes) {
    uint8_t face[kEdge * kEdge * 4];
    // Face 0, row 0, column 0: (1, 63/64, 63/64) normalized, each 127 v + 128 truncated.
    kaNormalizationCubeMap::FillFace(face, 0, kEdge);
    const float k = 63.0f / 64, length = std::sqrt(1 + 2 * k * k);
    EXPECT_EQ(face[0], uint8_t(127 / length + 128));
    EXPECT_EQ(face[1], uint8_t(127 * k / length + 128));
    EXPECT_EQ(face[2], face[1]);
    EXPECT_EQ(face[0], 202);  // 127 x 0.5834 + 128
    // Face 4 around its centre: s and t are +-1/64, so close to (0, 0, 1).
    kaNormalizationCubeMap::FillFace(face, 4, kEdge);
    const uint8_t* centre = &face[(32 * kEdge + 32) * 4];
    EXPECT_NEAR(centre[0], 128, 2);
    EXPECT_NEAR(centre[1], 128, 2);
    EXPECT_EQ(centre[2], 254);  // 127 x 0.9998 + 128 truncated
    EXPECT_EQ(centre[3], 255);
}

TEST_F(NormalizationCubeMapTest, FailuresShowTheirBoxAndLeaveNoTexture) {
    kaBaseTexture* texture = nullptr;
    device.failNext("CreateCubeTexture", KA_ERR_PLATFORM);
    EXPECT_EQ(kaNormalizationCubeMap::Create(&texture, kEdge), KA_ERR_INITFAILED);
    EXPECT_EQ(texture, nullptr);

    device.failNext("Texture.UpdateCubeFaceBuffer", KA_ERR_PLATFORM);
    EXPECT_EQ(kaNormalizationCubeMap::Create(&texture, kEdge), KA_ERR_INITFAILED);
    EXPECT_EQ(texture, nullptr);
    EXPECT_EQ(device.count("Texture.Release"), 1u);

    // An empty face would leave the device's level larger than the texels.
    EXPECT_EQ(kaNormalizationCubeMap::Create(&texture, 0), KA_ERR_INITFAILED);
    EXPECT_EQ(device.count("Texture.UpdateCubeFaceBuffer"), 1u);

    EXPECT_TRUE(device.liveTextures().empty());
    ASSERT_EQ(boxes.boxes().size(), 3u);
    EXPECT_EQ(boxes.boxes()[0].caption, "KA_ERR_INITFAILED");
    EXPECT_EQ(boxes.boxes()[0].text, "Creating normalization cube map!");
    EXPECT_EQ(boxes.boxes()[1].text, "Updating normalization cube map");
    EXPECT_EQ(boxes.boxes()[2].text, "Creating normalization cube map!");
    EXPECT_EQ(boxes.boxes()[1].style, 0x10u);
}

}  // namespace
