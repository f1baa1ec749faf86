#include "kaD3DDeviceTest.h"

#include <cstdio>
#include <cstdlib>

#include "kaD3DModule.h"
#include "kaResult.h"

namespace {

const char kWindowClass[] = "VessamorixD3DTest";

HWND CreateTestWindow(unsigned width, unsigned height) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = kWindowClass;
    RegisterClassA(&windowClass);
    return CreateWindowExA(0, kWindowClass, "device test", WS_POPUP | WS_VISIBLE, 0, 0, width,
                           height, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
}

// The window and the root object live for the whole test program, as they
// live for the player; destroying a window under Wine takes seconds.
HWND SharedWindow(unsigned width, unsigned height) {
    static HWND window = CreateTestWindow(width, height);
    return window;
}

IDirect3D8* SharedRoot() {
    static IDirect3D8* root = Direct3DCreate8(D3D_SDK_VERSION);
    return root;
}

}  // namespace

void kaD3DDeviceTest::SetUp() {
    HWND window = SharedWindow(kWidth, kHeight);
    ASSERT_NE(window, nullptr);
    kaD3DSetRoot(SharedRoot());
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
    IDirect3DSurface8* backBuffer = nullptr;
    IDirect3DSurface8* copy = nullptr;
    uint32_t pixel = 0xDEADBEEF;
    D3DSURFACE_DESC desc;
    if (SUCCEEDED(Real()->GetBackBuffer(0, D3DBACKBUFFER_TYPE_MONO, &backBuffer)) &&
        SUCCEEDED(backBuffer->GetDesc(&desc)) &&
        SUCCEEDED(Real()->CreateImageSurface(desc.Width, desc.Height, desc.Format, &copy)) &&
        SUCCEEDED(Real()->CopyRects(backBuffer, nullptr, 0, copy, nullptr))) {
        D3DLOCKED_RECT locked;
        if (SUCCEEDED(copy->LockRect(&locked, nullptr, D3DLOCK_READONLY))) {
            const auto* row = static_cast<const unsigned char*>(locked.pBits) + y * locked.Pitch;
            pixel = reinterpret_cast<const uint32_t*>(row)[x] & 0x00FFFFFF;
            copy->UnlockRect();
        }
    }
    if (copy) copy->Release();
    if (backBuffer) backBuffer->Release();
    return pixel;
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
