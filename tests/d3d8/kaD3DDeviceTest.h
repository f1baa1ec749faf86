#pragma once

#include <gtest/gtest.h>

#include <d3d8.h>

#include <cstdint>

#include "kaConformanceTest.h"
#include "kaCountingDevice8.h"
#include "kaD3DRenderDevice.h"

// A pixel shader that shows texture stage 0's colour.
inline constexpr char kTexturePixelShader[] = "ps.1.1\ntex t0\nmov r0, t0\n";

// Reaches the platform device inside the render device, so that a test can
// put a counting view in its place.
struct kaD3DRenderDeviceProbe {
    static IDirect3DDevice8*& Platform(kaD3DRenderDevice& device) { return device.mDevice; }
};

// A window and a windowed render device on the real Direct3D 8, with a
// call-counting view between the device and the platform.
class kaD3DDeviceTest : public ::testing::Test {
protected:
    static constexpr unsigned kWidth = 256;
    static constexpr unsigned kHeight = 256;

    void SetUp() override;
    void TearDown() override;

    // The platform device itself, past the counting view.
    IDirect3DDevice8* Real() const { return mCounting->getReal(); }
    kaCountingDevice8& Counting() { return *mCounting; }

    // The back buffer's pixel at (x, y) as an X8R8G8B8 word.
    uint32_t ReadBackBufferPixel(unsigned x, unsigned y);

    kaD3DRenderDevice* mDevice = nullptr;

private:
    kaCountingDevice8* mCounting = nullptr;
};
