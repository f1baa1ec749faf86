#include <gtest/gtest.h>

#include <d3d8.h>

#include "kaD3DRenderDevice.h"
#include "kaD3DModule.h"
#include "kaResult.h"

namespace {

HWND CoreTestWindow() {
    static HWND window = [] {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "VessamorixCoreTest";
        RegisterClassA(&windowClass);
        return CreateWindowExA(0, "VessamorixCoreTest", "core test", WS_POPUP | WS_VISIBLE, 0, 0,
                               320, 240, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    }();
    return window;
}

// A device not yet initialised, on the plug-in's root object.
class DeviceCreationTest : public ::testing::Test {
protected:
    void SetUp() override {
        root = Direct3DCreate8(D3D_SDK_VERSION);
        ASSERT_NE(root, nullptr);
        kaD3DSetRoot(root);
        device = new kaD3DRenderDevice(0);
    }
    void TearDown() override {
        device->Release();
        kaD3DSetRoot(nullptr);
        root->Release();
    }

    IDirect3D8* root = nullptr;
    kaD3DRenderDevice* device = nullptr;
};

TEST_F(DeviceCreationTest, RefusesAMissingWindowAndInvalidMultisampleTypes) {
    EXPECT_EQ(device->InitializeWindowed(nullptr, 320, 240, D3DFMT_D24X8, 0, 0), KA_ERR_INVALIDARG);
    EXPECT_EQ(device->InitializeWindowed(CoreTestWindow(), 320, 240, D3DFMT_D24X8, 1, 0),
              KA_ERR_INVALIDARG);
    EXPECT_EQ(device->InitializeWindowed(CoreTestWindow(), 320, 240, D3DFMT_D24X8, 5, 0),
              KA_ERR_INVALIDARG);
    EXPECT_EQ(device->Initialize(CoreTestWindow(), 0, D3DFMT_D24X8, 1, 0), KA_ERR_INVALIDARG);
    EXPECT_EQ(device->getPlatformDevice(), nullptr);
}

TEST_F(DeviceCreationTest, WithoutThePlatformLibraryNothingIsCreated) {
    kaD3DSetRoot(nullptr);
    EXPECT_EQ(device->InitializeWindowed(CoreTestWindow(), 320, 240, D3DFMT_D24X8, 0, 0),
              KA_ERR_WRONGSTATE);
    EXPECT_EQ(device->CheckDepthStencil(D3DFMT_D24X8, 0, 1), KA_ERR_MISSING);
    EXPECT_EQ(device->Clear(KA_CLEAR_TARGET, 0, 1.0f, 0), KA_ERR_PLATFORM);
    EXPECT_EQ(device->BeginRender(), KA_ERR_WRONGSTATE);
    kaD3DSetRoot(root);
}

TEST_F(DeviceCreationTest, WindowedCopyWithoutVsyncAndASecondInitialisationIsRefused) {
    ASSERT_EQ(device->InitializeWindowed(CoreTestWindow(), 320, 240, D3DFMT_D24X8, 0, 0), KA_OK);
    const D3DPRESENT_PARAMETERS& p = device->getPresentParameters();
    EXPECT_EQ(p.SwapEffect, D3DSWAPEFFECT_COPY);
    EXPECT_TRUE(p.Windowed);
    EXPECT_EQ(p.BackBufferWidth, 320u);
    EXPECT_EQ(p.BackBufferHeight, 240u);
    EXPECT_EQ(p.FullScreen_PresentationInterval, 0u);
    EXPECT_EQ(p.AutoDepthStencilFormat, D3DFMT_D24X8);
    EXPECT_EQ(device->InitializeWindowed(CoreTestWindow(), 320, 240, D3DFMT_D24X8, 0, 0),
              KA_ERR_WRONGSTATE);
    EXPECT_EQ(device->Initialize(CoreTestWindow(), 0, D3DFMT_D24X8, 0, 0), KA_ERR_WRONGSTATE);
}

TEST_F(DeviceCreationTest, WindowedSwapEffectFollowsVsyncAndMultisampling) {
    device->InitializeWindowed(CoreTestWindow(), 320, 240, D3DFMT_D24X8, 0, 1);
    EXPECT_EQ(device->getPresentParameters().SwapEffect, D3DSWAPEFFECT_COPY_VSYNC);
    device->Release();
    device = new kaD3DRenderDevice(0);
    // The platform may refuse multisampling; the choice is made before that.
    device->InitializeWindowed(CoreTestWindow(), 320, 240, D3DFMT_D24X8, 2, 1);
    EXPECT_EQ(device->getPresentParameters().SwapEffect, D3DSWAPEFFECT_DISCARD);
    EXPECT_EQ(device->getPresentParameters().MultiSampleType, D3DMULTISAMPLE_2_SAMPLES);
}

TEST_F(DeviceCreationTest, FullscreenFlipsInTheModeOfTheGivenNumber) {
    D3DDISPLAYMODE mode;
    ASSERT_EQ(root->EnumAdapterModes(0, 0, &mode), D3D_OK);
    // Whether the platform grants a full-screen device here does not matter:
    // the parameters are chosen before it is asked.
    const int result = device->Initialize(CoreTestWindow(), 0, D3DFMT_D24X8, 0, 0);
    EXPECT_TRUE(result == KA_OK || result == KA_ERR_INITFAILED) << result;
    const D3DPRESENT_PARAMETERS& p = device->getPresentParameters();
    EXPECT_EQ(p.SwapEffect, D3DSWAPEFFECT_FLIP);
    EXPECT_FALSE(p.Windowed);
    EXPECT_EQ(p.BackBufferWidth, mode.Width);
    EXPECT_EQ(p.BackBufferFormat, mode.Format);
    EXPECT_EQ(p.FullScreen_RefreshRateInHz, mode.RefreshRate);
    EXPECT_EQ(p.FullScreen_PresentationInterval, 0x80000000u);
    EXPECT_EQ(device->Initialize(CoreTestWindow(), 0xFFFF, D3DFMT_D24X8, 0, 1),
              result == KA_OK ? KA_ERR_WRONGSTATE : KA_ERR_INITFAILED)
        << "a mode number the adapter lacks";
}

}  // namespace
