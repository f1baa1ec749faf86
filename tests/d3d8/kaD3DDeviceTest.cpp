#include "kaD3DDeviceTest.h"

#include <vector>

#include "kaD3DModule.h"
#include "kaResult.h"
#include "kaTestDeviceD3D.h"

void kaD3DDeviceTest::SetUp() {
    HWND window = kaTestWindow(kWidth, kHeight);
    ASSERT_NE(window, nullptr);
    kaD3DSetRoot(kaTestRoot());
    ASSERT_NE(kaD3DRoot(), nullptr);
    mDevice = new kaD3DRenderDevice(0);
    ASSERT_EQ(mDevice->InitializeWindowed(window, kWidth, kHeight, D3DFMT_D24X8, 0, 0), KA_OK);
    IDirect3DDevice8*& platform = kaD3DRenderDeviceProbe::Platform(*mDevice);
    mCounting = new kaCountingDevice8(platform);
    platform = mCounting;
}

void kaD3DDeviceTest::TearDown() {
    if (mDevice) {
        if (mCounting) kaD3DRenderDeviceProbe::Platform(*mDevice) = mCounting->getReal();
        mDevice->Release();
    }
    delete mCounting;
}

uint32_t kaD3DDeviceTest::ReadBackBufferPixel(unsigned x, unsigned y) {
    const std::vector<uint32_t> pixels = kaReadBackBuffer(Real());
    return pixels.size() == kWidth * kHeight ? pixels[y * kWidth + x] : 0xDEADBEEF;
}
