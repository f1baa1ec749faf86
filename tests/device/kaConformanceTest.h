#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "kaRenderDevice.h"
#include "kaTestDevice.h"

// The colours the cases draw with and read back, as 0xRRGGBB.
inline constexpr unsigned kBlack = 0x000000, kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF,
                          kWhite = 0xFFFFFF;

// A device under test, drawn into through the render-device interface only.
class kaConformanceTest : public ::testing::Test {
protected:
    static constexpr unsigned kWidth = 256;
    static constexpr unsigned kHeight = 256;

    // Skips the case when the device refuses the multisample type as more
    // than it offers.
    void SetUp() override;
    void TearDown() override;
    // The back buffer's multisample type (0: one sample).
    virtual unsigned MultiSampleType() const { return 0; }

    // Flips and returns the pixel (x, y) of what was shown, as 0xRRGGBB.
    uint32_t ShownPixel(unsigned x, unsigned y);
    // The frame shown by the last PresentFrame.
    void PresentFrame();
    uint32_t At(unsigned x, unsigned y) const { return mFrame[y * kWidth + x]; }
    // Positions in pixels of the whole target (x right, y down, depth 0 to
    // 1) with identity view and world; no lighting, culling or depth test.
    void UseUnlitPixelSpace();

    kaRenderDevice* mDevice = nullptr;
    std::vector<uint32_t> mFrame;
};

// The bits of a float, as render states carry it.
uint32_t FloatBits(float value);

// True when every channel of two 0xRRGGBB colours differs by at most tolerance.
::testing::AssertionResult ColorNear(uint32_t actual, uint32_t expected, int tolerance);
