#include "kaConformanceTest.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "kaDeviceNumbers.h"
#include "kaResult.h"

void kaConformanceTest::SetUp() {
    int result = KA_OK;
    mDevice = kaTestDevice::Create(kWidth, kHeight, MultiSampleType(), &result);
    if (mDevice == nullptr && result == KA_ERR_UNSUPPORTED) {
        GTEST_SKIP() << "the device offers no " << MultiSampleType() << " samples per pixel";
    }
    ASSERT_NE(mDevice, nullptr) << "the device under test cannot be initialised: " << result;
}

void kaConformanceTest::TearDown() {
    if (mDevice) kaTestDevice::Destroy(mDevice);
    mDevice = nullptr;
}

void kaConformanceTest::PresentFrame() {
    mFrame = kaTestDevice::PresentAndRead(mDevice, kWidth, kHeight);
    if (mFrame.size() != kWidth * kHeight) {
        ADD_FAILURE() << "the shown frame cannot be read back";
        mFrame.assign(kWidth * kHeight, 0xDEADBEEF);
    }
}

void kaConformanceTest::UseUnlitPixelSpace() {
    mDevice->setRenderState(KA_RS_LIGHTING, 0);
    mDevice->setRenderState(KA_RS_CULLMODE, KA_CULL_NONE);
    mDevice->setRenderState(KA_RS_ZENABLE, 0);
    mDevice->LoadIdentity(KA_TS_VIEW);
    mDevice->LoadIdentity(KA_TS_WORLD);
    mDevice->LoadIdentity(KA_TS_PROJECTION);
    mDevice->OrthoLH(KA_TS_PROJECTION, float(kWidth), float(kHeight), 0.0f, 1.0f);
}

uint32_t kaConformanceTest::ShownPixel(unsigned x, unsigned y) {
    PresentFrame();
    return At(x, y);
}

uint32_t FloatBits(float value) {
    uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

::testing::AssertionResult ColorNear(uint32_t actual, uint32_t expected, int tolerance) {
    for (int shift = 0; shift < 24; shift += 8) {
        const int a = static_cast<int>((actual >> shift) & 0xFF);
        const int e = static_cast<int>((expected >> shift) & 0xFF);
        if (std::abs(a - e) > tolerance) {
            char text[80];
            std::snprintf(text, sizeof text, "colour 0x%06X is not within %d of 0x%06X",
                          static_cast<unsigned>(actual), tolerance,
                          static_cast<unsigned>(expected));
            return ::testing::AssertionFailure() << text;
        }
    }
    return ::testing::AssertionSuccess();
}
