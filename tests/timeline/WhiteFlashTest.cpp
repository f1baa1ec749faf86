#include <gtest/gtest.h>

#include "DemoGlobals.h"
#include "WhiteFlash.h"
#include "kaDeviceGlobal.h"
#include "kaOrthoOverlay.h"
#include "kaRecordingDevice.h"
#include "kaRecordingVertexBuffer.h"

namespace {

TEST(SplineBlendTest, PassesThroughTheInnerPointsWithTheSpecifiedShape) {
    EXPECT_FLOAT_EQ(SplineBlend(3, 5, 7, 11, 0), 5);
    EXPECT_NEAR(SplineBlend(3, 5, 7, 11, 1), 7, 1e-5);
    for (float s : {0.1f, 0.25f, 0.5f, 0.9f}) {
        EXPECT_NEAR(SplineBlend(0, 0, 1, 0, s), 2.0f / 3 * s + s * s - 2.0f / 3 * s * s * s, 1e-6)
            << s;
    }
}

class WhiteFlashTest : public ::testing::Test {
protected:
    void SetUp() override {
        gDevice = &device;
        gOverlay = &overlay;
        ASSERT_EQ(overlay.Init(4), 0);
    }
    void TearDown() override {
        overlay.Release();
        gOverlay = nullptr;
        gDevice = nullptr;
    }

    // The alpha byte of the quad the flash drew at time t.
    unsigned AlphaAt(float t) {
        WhiteFlash(17.1f, 17.6f, t);
        return gFlashQuad.colour >> 24;
    }

    kaRecordingDevice device;
    kaOrthoOverlay overlay;
};

TEST_F(WhiteFlashTest, RisesToFullAtTheEndAndVanishesOutsideTheWindow) {
    EXPECT_EQ(AlphaAt(17.0f), 0u);
    EXPECT_EQ(AlphaAt(17.1f), 0u);
    EXPECT_EQ(AlphaAt(17.35f), 127u);
    EXPECT_EQ(AlphaAt(17.6f), 255u);
    EXPECT_EQ(AlphaAt(17.61f), 0u);
    EXPECT_EQ(gFlashQuad.colour & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_EQ(device.count("DrawIndexedPrimitive"), 5) << "drawn also when invisible";
    // The curve comes back into [0, 1] from a window's length before the
    // start to half of it, and from half a length after the end to a whole
    // one; no flash shows there.
    for (float t : {16.6f, 16.75f, 17.95f, 18.05f}) EXPECT_EQ(AlphaAt(t), 0u) << t;
}

TEST_F(WhiteFlashTest, BlendsAdditivelyWithoutDepthAndRestoresBlendingAndDepth) {
    WhiteFlash(17.1f, 17.6f, 17.5f);
    unsigned value = 0;
    device.getRenderState(19, &value);
    EXPECT_EQ(value, 5u);
    device.getRenderState(20, &value);
    EXPECT_EQ(value, 2u);
    device.getRenderState(27, &value);
    EXPECT_EQ(value, 0u);
    device.getRenderState(7, &value);
    EXPECT_EQ(value, 1u);
    device.getTextureState(0, 2, &value);
    EXPECT_EQ(value, 0u) << "colour from the diffuse";
    ASSERT_NE(device.lastCall("setPixelShader"), nullptr);
    EXPECT_EQ(overlay.list.getCount(), 0u) << "the quad is removed again";
    EXPECT_FLOAT_EQ(gFlashQuad.x0, -1);
    EXPECT_FLOAT_EQ(gFlashQuad.y1, 1);
}

}  // namespace
