#include <gtest/gtest.h>

#include <d3d8.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "kaD3DDeviceTest.h"
#include "kaD3DDisplayPixels.h"
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
    EXPECT_EQ(device->InitializeWindowed(CoreTestWindow(), 320, 240, D3DFMT_D24X8, 17, 0),
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

// Every multisample type is asked of the adapter for the back buffer and the
// depth format first: a type it cannot do is refused as unsupported and no
// platform device is made; a type it can do gives a multisampled device.
TEST_F(DeviceCreationTest, MultisampleTypesTheAdapterLacksAreRefusedAsUnsupported) {
    D3DDISPLAYMODE desktop;
    ASSERT_EQ(root->GetAdapterDisplayMode(0, &desktop), D3D_OK);
    unsigned granted = 0, refused = 0;
    for (unsigned type = 2; type <= 16; ++type) {
        const auto platformType = static_cast<D3DMULTISAMPLE_TYPE>(type);
        const bool can =
            SUCCEEDED(root->CheckDeviceMultiSampleType(0, D3DDEVTYPE_HAL, desktop.Format, TRUE,
                                                       platformType)) &&
            SUCCEEDED(root->CheckDeviceMultiSampleType(0, D3DDEVTYPE_HAL, D3DFMT_D24X8, TRUE,
                                                       platformType));
        const int result =
            device->InitializeWindowed(CoreTestWindow(), 320, 240, D3DFMT_D24X8, type, 1);
        if (can) {
            EXPECT_EQ(result, KA_OK) << type << " samples";
            EXPECT_EQ(device->getPresentParameters().MultiSampleType, platformType);
            EXPECT_NE(device->getPlatformDevice(), nullptr);
            ++granted;
        } else {
            EXPECT_EQ(result, KA_ERR_UNSUPPORTED) << type << " samples";
            EXPECT_EQ(device->getPlatformDevice(), nullptr) << type << " samples";
            ++refused;
        }
        device->Release();
        device = new kaD3DRenderDevice(0);
    }
    EXPECT_GT(refused, 0u) << "no adapter does every type from 2 to 16 samples";
    std::printf("multisample types granted: %u, refused: %u\n", granted, refused);
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

using FrameTest = kaD3DDeviceTest;

// The presented frame reads back as opaque B, G, R, A rows, top first: the
// frame Flip showed, still there after the next frame has begun drawing into
// the back buffer's depth only (the player clears nothing else).
TEST_F(FrameTest, ThePresentedFrameReadsBackAsOpaqueBgraRowsTopFirst) {
    std::vector<unsigned char> pixels(kWidth * kHeight * 4, 0);
    EXPECT_EQ(mDevice->ReadPresentedFrame(pixels.data(), kWidth, kHeight), KA_OK);
    EXPECT_EQ(pixels[0], 0) << "the first frame is black";
    EXPECT_EQ(pixels[3], 255);

    ASSERT_EQ(mDevice->Clear(KA_CLEAR_TARGET, 0x00204080, 1.0f, 0), KA_OK);
    D3DRECT top = {0, 0, LONG(kWidth), 1};
    ASSERT_TRUE(SUCCEEDED(Real()->Clear(1, &top, D3DCLEAR_TARGET, 0x00FF0000, 1.0f, 0)));
    ASSERT_EQ(mDevice->Flip(), KA_OK);
    ASSERT_EQ(mDevice->Clear(KA_CLEAR_ZBUFFER, 0x00FFFFFF, 1.0f, 0), KA_OK);
    ASSERT_EQ(mDevice->ReadPresentedFrame(pixels.data(), kWidth, kHeight), KA_OK);
    const unsigned char red[4] = {0, 0, 255, 255}, blue[4] = {0x80, 0x40, 0x20, 255};
    for (unsigned x : {0u, kWidth - 1}) {
        EXPECT_TRUE(std::equal(red, red + 4, &pixels[x * 4])) << "top row, x " << x;
        const unsigned char* below = &pixels[((kHeight - 1) * kWidth + x) * 4];
        for (int c = 0; c < 4; ++c) EXPECT_NEAR(below[c], blue[c], 2) << "bottom row, x " << x;
    }

    EXPECT_EQ(mDevice->ReadPresentedFrame(nullptr, kWidth, kHeight), KA_ERR_INVALIDARG);
    EXPECT_EQ(mDevice->ReadPresentedFrame(pixels.data(), kWidth - 1, kHeight), KA_ERR_INVALIDARG);
    kaD3DRenderDevice* uninitialised = new kaD3DRenderDevice(0);
    EXPECT_EQ(uninitialised->ReadPresentedFrame(pixels.data(), kWidth, kHeight), KA_ERR_WRONGSTATE);
    uninitialised->Release();
}

// Every display format widens to eight bits a channel with full channels
// staying full; formats a display cannot have are refused untouched.
TEST(DisplayPixelsTest, DisplayFormatsWidenToOpaqueBgra) {
    struct Case {
        D3DFORMAT format;
        std::vector<unsigned char> pixel;
        unsigned char bgra[4];
    };
    const Case cases[] = {
        {D3DFMT_X8R8G8B8, {0x11, 0x22, 0x33, 0x00}, {0x11, 0x22, 0x33, 0xFF}},
        {D3DFMT_A8R8G8B8, {0x11, 0x22, 0x33, 0x44}, {0x11, 0x22, 0x33, 0xFF}},
        {D3DFMT_R5G6B5, {0x1F, 0xF8}, {0xFF, 0x00, 0xFF, 0xFF}},  // blue and red full
        {D3DFMT_R5G6B5, {0xE0, 0x07}, {0x00, 0xFF, 0x00, 0xFF}},  // green full
        {D3DFMT_R5G6B5, {0x21, 0x08}, {0x08, 0x04, 0x08, 0xFF}},  // each channel's lowest step
        {D3DFMT_X1R5G5B5, {0xE0, 0x83}, {0x00, 0xFF, 0x00, 0xFF}},
        {D3DFMT_A1R5G5B5, {0x00, 0x7C}, {0x00, 0x00, 0xFF, 0xFF}},
    };
    for (const Case& c : cases) {
        // Two rows of one pixel, the second a pitch of 8 bytes below the first.
        std::vector<unsigned char> rows(8 + c.pixel.size(), 0xAA);
        std::copy(c.pixel.begin(), c.pixel.end(), rows.begin() + 8);
        unsigned char out[8] = {};
        ASSERT_TRUE(kaD3DDisplayPixels::ToBgra(c.format, rows.data(), 8, 1, 2, out)) << c.format;
        EXPECT_TRUE(std::equal(c.bgra, c.bgra + 4, out + 4)) << "format " << c.format;
    }
    unsigned char untouched[4] = {1, 2, 3, 4};
    const unsigned char source[4] = {};
    EXPECT_FALSE(kaD3DDisplayPixels::ToBgra(D3DFMT_A8, source, 4, 1, 1, untouched));
    EXPECT_EQ(untouched[0], 1);
}

}  // namespace
