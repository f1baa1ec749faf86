#include <gtest/gtest.h>

#include <d3d8.h>

#include <cstring>
#include <vector>

#include "kaPluginLoader.h"
#include "kaResult.h"

namespace {

const char kPlugin[] = "kaD3DRenderDevice.dll";

// The plug-in's own entry points, reached without the loader.
struct PluginExports {
    HMODULE module = LoadLibraryA(kPlugin);
    kaDoLoadFn doLoad = Find<kaDoLoadFn>("doLoad");
    kaDoUnloadFn doUnload = Find<kaDoUnloadFn>("doUnload");
    kaGetRenderDeviceFn getRenderDevice = Find<kaGetRenderDeviceFn>("getRenderDevice");

    template <typename F>
    F Find(const char* name) {
        return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module, name)));
    }
    ~PluginExports() { FreeLibrary(module); }
};

TEST(PluginLoaderTest, RefusesAMissingNameOrFile) {
    kaPluginLoader loader;
    EXPECT_EQ(loader.Load(nullptr), KA_ERR_INVALIDARG);
    EXPECT_EQ(loader.Load("noSuchPlugin.dll"), KA_ERR_OPENFAIL);
    EXPECT_FALSE(loader.isLoaded());
    kaRenderDevice* device = nullptr;
    EXPECT_EQ(loader.GetRenderDevice(&device, 0), KA_ERR_WRONGSTATE);
    EXPECT_EQ(loader.Unload(), KA_ERR_WRONGSTATE);
}

TEST(PluginLoaderTest, AModuleWithoutAllEntryPointsIsUnloadedAgain) {
    kaPluginLoader loader;
    EXPECT_EQ(loader.Load("incompletePlugin.dll"), KA_ERR_UNRECOGNISED);
    EXPECT_FALSE(loader.isLoaded());
    EXPECT_EQ(GetModuleHandleA("incompletePlugin.dll"), nullptr);
}

TEST(PluginLoaderTest, AFailedLoadStepLeavesTheModuleLoaded) {
    kaPluginLoader loader;
    EXPECT_EQ(loader.Load("failingPlugin.dll"), KA_ERR_INITFAILED);
    EXPECT_TRUE(loader.isLoaded());
    unsigned char pixel[4];
    EXPECT_EQ(loader.ReadPresentedFrame(nullptr, pixel, 1, 1), KA_ERR_UNSUPPORTED)
        << "the frame read-back is optional";
    EXPECT_EQ(loader.Unload(), KA_OK);
    EXPECT_EQ(loader.ReadPresentedFrame(nullptr, pixel, 1, 1), KA_ERR_WRONGSTATE);
    EXPECT_EQ(GetModuleHandleA("failingPlugin.dll"), nullptr);
}

TEST(PluginLoaderTest, LoadsTheDirect3DPluginAndHandsOutDevices) {
    kaPluginLoader loader;
    ASSERT_EQ(loader.Load(kPlugin), KA_OK);
    kaRenderDevice* first = nullptr;
    kaRenderDevice* second = nullptr;
    ASSERT_EQ(loader.GetRenderDevice(&first, 0), KA_OK);
    ASSERT_EQ(loader.GetRenderDevice(&second, 0), KA_OK);
    EXPECT_NE(first, second) << "each call makes a new device";
    unsigned char pixel[4];
    EXPECT_EQ(loader.ReadPresentedFrame(first, pixel, 1, 1), KA_ERR_WRONGSTATE)
        << "not initialised";
    EXPECT_EQ(loader.ReadPresentedFrame(nullptr, pixel, 1, 1), KA_ERR_INVALIDARG);
    EXPECT_EQ(first->Release(), KA_OK);
    EXPECT_EQ(second->Release(), KA_OK);
    EXPECT_EQ(loader.Unload(), KA_OK);
    EXPECT_EQ(loader.Unload(), KA_ERR_WRONGSTATE);
}

TEST(PluginExportsTest, DescriptionIsCutToTheGivenLengthAndTerminated) {
    kaPluginLoader loader;
    ASSERT_EQ(loader.Load(kPlugin), KA_OK);
    struct Case {
        unsigned maxChars;
        const char* expected;
    };
    for (const Case& c : {Case{8, "Direct3D"}, Case{16, "Direct3D Rendere"},
                          Case{17, "Direct3D Renderer"}, Case{200, "Direct3D Renderer"}}) {
        std::vector<char> buffer(c.maxChars + 8, '#');
        EXPECT_EQ(loader.GetDescription(buffer.data(), c.maxChars), KA_OK);
        EXPECT_STREQ(buffer.data(), c.expected) << c.maxChars;
        EXPECT_EQ(buffer[std::strlen(c.expected) + 1], '#')
            << "nothing is written past the terminator";
    }
    int version = 0;
    EXPECT_EQ(loader.GetVersion(&version), KA_OK);
    EXPECT_EQ(version, 1);
    EXPECT_EQ(loader.GetRenderDeviceCount(nullptr), KA_ERR_INVALIDARG);
    unsigned count = 0;
    EXPECT_EQ(loader.GetRenderDeviceCount(&count), KA_OK);
    EXPECT_GE(count, 1u);
}

TEST(PluginExportsTest, UnloadTwiceAndDepthCheckWithoutRootObject) {
    PluginExports plugin;
    ASSERT_NE(plugin.doLoad, nullptr);
    kaRenderDevice* device = nullptr;
    ASSERT_EQ(plugin.getRenderDevice(&device, 0), KA_OK) << "needs no loaded platform";
    EXPECT_EQ(device->CheckDepthStencil(D3DFMT_D24X8, 0, 1), KA_ERR_MISSING);
    EXPECT_EQ(plugin.doLoad(), KA_OK);
    EXPECT_EQ(device->CheckDepthStencil(D3DFMT_D24X8, 0, 1), KA_OK);
    EXPECT_EQ(plugin.doUnload(), KA_OK);
    EXPECT_EQ(plugin.doUnload(), KA_ERR_WRONGSTATE);
    device->Release();
}

// The listed modes are exactly the platform's 16- and 32-bit modes of at
// least 512 x 384, in its order and under its numbers.
TEST(PluginExportsTest, ModeListFollowsThePlatformsModes) {
    kaPluginLoader loader;
    ASSERT_EQ(loader.Load(kPlugin), KA_OK);
    kaRenderDeviceDesc desc;
    std::memset(&desc, 0xCD, sizeof desc);
    ASSERT_EQ(loader.GetRenderDeviceDesc(&desc, 0), KA_OK);
    EXPECT_LT(std::strlen(desc.name), sizeof desc.name);

    IDirect3D8* root = Direct3DCreate8(D3D_SDK_VERSION);
    ASSERT_NE(root, nullptr);
    std::vector<kaDisplayMode> expected;
    for (UINT n = 0; n < root->GetAdapterModeCount(0) && expected.size() < 255; ++n) {
        D3DDISPLAYMODE mode;
        ASSERT_EQ(root->EnumAdapterModes(0, n, &mode), D3D_OK);
        const unsigned bits = mode.Format == D3DFMT_R5G6B5                ? 16
                              : mode.Format == D3DFMT_X8R8G8B8 ||
                                        mode.Format == D3DFMT_A8R8G8B8 ? 32
                                                                        : 0;
        if (bits == 0 || mode.Width < 512 || mode.Height < 384) continue;
        expected.push_back({mode.Width, mode.Height, bits, mode.RefreshRate, n});
    }
    D3DCAPS8 caps;
    ASSERT_EQ(root->GetDeviceCaps(0, D3DDEVTYPE_HAL, &caps), D3D_OK);
    root->Release();

    ASSERT_GT(expected.size(), 0u);
    ASSERT_EQ(desc.modeCount, expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(std::memcmp(&desc.modes[i], &expected[i], sizeof(kaDisplayMode)), 0) << i;
    }
    EXPECT_EQ(desc.maxTextures, caps.MaxSimultaneousTextures & 0xFF);
    EXPECT_EQ(desc.pixelShaderVersion, caps.PixelShaderVersion);
    EXPECT_EQ(desc.vertexShaderVersion, caps.VertexShaderVersion);
    EXPECT_EQ(loader.GetRenderDeviceDesc(nullptr, 0), KA_ERR_INVALIDARG);
}

}  // namespace
