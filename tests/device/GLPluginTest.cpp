// The OpenGL plug-in as the player reaches it: a module opened by file name
// whose entry points are found by their plain names.
#include <gtest/gtest.h>

#include <SDL.h>
#include <dlfcn.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "kaDeviceNumbers.h"
#include "kaPluginApi.h"
#include "kaResult.h"

namespace {

typedef int (*kaReadPresentedFrameFn)(kaRenderDevice*, unsigned char*, unsigned, unsigned);

class GLPluginTest : public ::testing::Test {
protected:
    void SetUp() override {
        module = dlopen(VX_GL_PLUGIN, RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(module, nullptr) << dlerror();
    }
    void TearDown() override {
        if (module) dlclose(module);
    }

    template <typename F>
    F Find(const char* name) {
        return reinterpret_cast<F>(dlsym(module, name));
    }

    void* module = nullptr;
};

TEST_F(GLPluginTest, ExportsTheEntryPointsAndDescribesItself) {
    const char* names[] = {"doLoad", "doUnload", "getDescription", "getVersion",
                           "getRenderDeviceCount", "getRenderDeviceDesc", "getRenderDevice",
                           "readPresentedFrame", "beginReadPresentedFrame", "endReadPresentedFrame",
                           "resizeBackBuffer"};
    for (const char* name : names) EXPECT_NE(dlsym(module, name), nullptr) << name;
    auto getDescription = Find<kaGetDescriptionFn>("getDescription");
    ASSERT_NE(getDescription, nullptr);
    for (unsigned maxChars : {6u, 15u, 200u}) {
        std::vector<char> text(maxChars + 8, '#');
        EXPECT_EQ(getDescription(text.data(), maxChars), KA_OK);
        EXPECT_EQ(std::string(text.data()), std::string("OpenGL Renderer").substr(0, maxChars));
    }
    int version = 0;
    EXPECT_EQ(Find<kaGetVersionFn>("getVersion")(&version), KA_OK);
    EXPECT_EQ(version, 1);
}

TEST_F(GLPluginTest, ListsTheDisplaysModesOnlyWhileLoaded) {
    auto doLoad = Find<kaDoLoadFn>("doLoad");
    auto doUnload = Find<kaDoUnloadFn>("doUnload");
    auto getCount = Find<kaGetRenderDeviceCountFn>("getRenderDeviceCount");
    auto getDesc = Find<kaGetRenderDeviceDescFn>("getRenderDeviceDesc");
    unsigned count = 0;
    EXPECT_EQ(getCount(&count), KA_ERR_WRONGSTATE) << "before doLoad";
    ASSERT_EQ(doLoad(), KA_OK);
    EXPECT_EQ(getCount(nullptr), KA_ERR_INVALIDARG);
    ASSERT_EQ(getCount(&count), KA_OK);
    ASSERT_GE(count, 1u);
    kaRenderDeviceDesc desc;
    ASSERT_EQ(getDesc(&desc, 0), KA_OK);
    EXPECT_EQ(std::strncmp(desc.name, "OpenGL Render Device", 20), 0) << desc.name;
    for (unsigned i = 0; i < desc.modeCount; ++i) {
        EXPECT_GE(desc.modes[i].width, 512u);
        EXPECT_GE(desc.modes[i].height, 384u);
        EXPECT_TRUE(desc.modes[i].bitsPerPixel == 16 || desc.modes[i].bitsPerPixel == 32);
    }
    EXPECT_EQ(getDesc(&desc, count), KA_ERR_WRONGSTATE) << "no such display";
    EXPECT_EQ(doUnload(), KA_OK);
    EXPECT_EQ(doUnload(), KA_ERR_WRONGSTATE);
}

// readPresentedFrame gives the frame Flip showed, rows top first, B, G, R, A.
TEST_F(GLPluginTest, ReadsBackThePresentedFrame) {
    ASSERT_EQ(Find<kaDoLoadFn>("doLoad")(), KA_OK);
    auto read = Find<kaReadPresentedFrameFn>("readPresentedFrame");
    kaRenderDevice* device = nullptr;
    ASSERT_EQ(Find<kaGetRenderDeviceFn>("getRenderDevice")(&device, 0), KA_OK);
    std::vector<unsigned char> pixels(800 * 600 * 4, 0);
    EXPECT_EQ(read(device, pixels.data(), 800, 600), KA_ERR_WRONGSTATE) << "not initialised";
    SDL_Window* window = SDL_CreateWindow("plug-in test", 0, 0, 800, 600,
                                          SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
    ASSERT_NE(window, nullptr);
    ASSERT_EQ(device->InitializeWindowed(window, 800, 600, 77, 0, 0), KA_OK);
    EXPECT_EQ(device->InitializeWindowed(window, 800, 600, 77, 0, 0), KA_ERR_WRONGSTATE);
    kaViewport lower{0, 300, 800, 300};
    ASSERT_EQ(device->Clear(KA_CLEAR_TARGET, 0xFF102030, 1.0f, 0), KA_OK);
    ASSERT_EQ(device->setViewport(&lower), KA_OK);
    ASSERT_EQ(device->Clear(KA_CLEAR_TARGET, 0xFF405060, 1.0f, 0), KA_OK);
    ASSERT_EQ(device->Flip(), KA_OK);
    EXPECT_EQ(read(device, nullptr, 800, 600), KA_ERR_INVALIDARG);
    EXPECT_EQ(read(device, pixels.data(), 640, 480), KA_ERR_INVALIDARG);
    ASSERT_EQ(read(device, pixels.data(), 800, 600), KA_OK);
    const unsigned char top[4] = {0x30, 0x20, 0x10, 0xFF};
    const unsigned char bottom[4] = {0x60, 0x50, 0x40, 0xFF};
    EXPECT_EQ(std::memcmp(&pixels[(10 * 800 + 10) * 4], top, 4), 0);
    EXPECT_EQ(std::memcmp(&pixels[(590 * 800 + 790) * 4], bottom, 4), 0);
    EXPECT_EQ(device->Release(), KA_OK);
    SDL_DestroyWindow(window);
    EXPECT_EQ(Find<kaDoUnloadFn>("doUnload")(), KA_OK);
}

// Reads begun after each of several frames finish later, oldest first, each
// with the pixels of its own frame, as the plain read-back gives them; no
// more reads are taken than the device can hold, and none is finished that
// was not begun.
TEST_F(GLPluginTest, ReadsPresentedFramesBackWithoutWaitingInTheOrderBegun) {
    ASSERT_EQ(Find<kaDoLoadFn>("doLoad")(), KA_OK);
    auto read = Find<kaReadPresentedFrameFn>("readPresentedFrame");
    auto begin = Find<kaBeginReadPresentedFrameFn>("beginReadPresentedFrame");
    auto end = Find<kaEndReadPresentedFrameFn>("endReadPresentedFrame");
    kaRenderDevice* device = nullptr;
    ASSERT_EQ(Find<kaGetRenderDeviceFn>("getRenderDevice")(&device, 0), KA_OK);
    std::vector<unsigned char> pixels(64 * 48 * 4, 0);
    EXPECT_EQ(begin(device), KA_ERR_WRONGSTATE) << "not initialised";
    EXPECT_EQ(begin(nullptr), KA_ERR_INVALIDARG);
    SDL_Window* window =
        SDL_CreateWindow("plug-in test", 0, 0, 64, 48, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
    ASSERT_NE(window, nullptr);
    ASSERT_EQ(device->InitializeWindowed(window, 64, 48, 77, 0, 0), KA_OK);
    EXPECT_EQ(end(device, pixels.data(), 64, 48), KA_ERR_WRONGSTATE) << "nothing begun";
    const unsigned colours[] = {0xFF102030, 0xFF405060, 0xFFA0B0C0};
    std::vector<std::vector<unsigned char>> shown;
    for (unsigned colour : colours) {
        kaViewport half{0, 0, 32, 48};
        ASSERT_EQ(device->setViewport(&half), KA_OK);
        ASSERT_EQ(device->Clear(KA_CLEAR_TARGET, colour, 1.0f, 0), KA_OK);
        ASSERT_EQ(device->Flip(), KA_OK);
        ASSERT_EQ(read(device, pixels.data(), 64, 48), KA_OK);
        shown.push_back(pixels);
        ASSERT_EQ(begin(device), KA_OK);
    }
    EXPECT_EQ(begin(device), KA_ERR_WRONGSTATE) << "three reads in flight already";
    EXPECT_EQ(end(device, nullptr, 64, 48), KA_ERR_INVALIDARG);
    EXPECT_EQ(end(device, pixels.data(), 32, 48), KA_ERR_INVALIDARG);
    for (size_t i = 0; i < shown.size(); ++i) {
        std::fill(pixels.begin(), pixels.end(), 0);
        ASSERT_EQ(end(device, pixels.data(), 64, 48), KA_OK) << i;
        EXPECT_EQ(pixels, shown[i]) << "frame " << i;
        const unsigned char left[4] = {uint8_t(colours[i]), uint8_t(colours[i] >> 8),
                                       uint8_t(colours[i] >> 16), uint8_t(colours[i] >> 24)};
        EXPECT_EQ(std::memcmp(&pixels[(20 * 64 + 5) * 4], left, 4), 0) << "frame " << i;
    }
    EXPECT_EQ(end(device, pixels.data(), 64, 48), KA_ERR_WRONGSTATE) << "all finished";
    EXPECT_EQ(device->Release(), KA_OK);
    SDL_DestroyWindow(window);
    EXPECT_EQ(Find<kaDoUnloadFn>("doUnload")(), KA_OK);
}

// resizeBackBuffer makes the back buffer anew at the window's new size, with
// one sample or several: the frame shown and read back has the new size, the
// viewport covers it, reads begun before are forgotten; refused before the
// device is initialised and while it draws into a texture.
TEST_F(GLPluginTest, ResizesTheBackBufferWithOrWithoutSamples) {
    ASSERT_EQ(Find<kaDoLoadFn>("doLoad")(), KA_OK);
    auto read = Find<kaReadPresentedFrameFn>("readPresentedFrame");
    auto begin = Find<kaBeginReadPresentedFrameFn>("beginReadPresentedFrame");
    auto end = Find<kaEndReadPresentedFrameFn>("endReadPresentedFrame");
    auto resize = Find<kaResizeBackBufferFn>("resizeBackBuffer");
    ASSERT_NE(resize, nullptr);
    EXPECT_EQ(resize(nullptr, 100, 80), KA_ERR_INVALIDARG);
    SDL_Window* window =
        SDL_CreateWindow("plug-in test", 0, 0, 64, 48, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
    ASSERT_NE(window, nullptr);
    for (unsigned samples : {0u, 4u}) {
        kaRenderDevice* device = nullptr;
        ASSERT_EQ(Find<kaGetRenderDeviceFn>("getRenderDevice")(&device, 0), KA_OK);
        EXPECT_EQ(resize(device, 100, 80), KA_ERR_WRONGSTATE) << "not initialised";
        ASSERT_EQ(device->InitializeWindowed(window, 64, 48, 77, samples, 0), KA_OK) << samples;
        ASSERT_EQ(begin(device), KA_OK);
        EXPECT_EQ(resize(device, 0, 80), KA_ERR_INVALIDARG);
        ASSERT_EQ(resize(device, 100, 80), KA_OK) << samples;
        std::vector<unsigned char> pixels(100 * 80 * 4, 0);
        EXPECT_EQ(end(device, pixels.data(), 100, 80), KA_ERR_WRONGSTATE) << "forgotten";
        kaViewport viewport{};
        ASSERT_EQ(device->getViewport(&viewport), KA_OK);
        EXPECT_EQ(viewport.width, 100u);
        EXPECT_EQ(viewport.height, 80u);
        ASSERT_EQ(device->Clear(KA_CLEAR_TARGET, 0xFF405060, 1.0f, 0), KA_OK);
        ASSERT_EQ(device->Flip(), KA_OK);
        EXPECT_EQ(read(device, pixels.data(), 64, 48), KA_ERR_INVALIDARG) << "the old size";
        ASSERT_EQ(read(device, pixels.data(), 100, 80), KA_OK);
        const unsigned char colour[4] = {0x60, 0x50, 0x40, 0xFF};
        EXPECT_EQ(std::memcmp(&pixels[(79 * 100 + 99) * 4], colour, 4), 0) << samples;
        kaBaseTexture* target = nullptr;
        ASSERT_EQ(device->CreateTexture(&target, 32, 32, KA_FMT_A8R8G8B8, 1, KA_USAGE_RENDERTARGET),
                  KA_OK);
        ASSERT_EQ(device->BeginRenderToTexture(target, 0, 1), KA_OK) << samples;
        EXPECT_EQ(resize(device, 64, 48), KA_ERR_WRONGSTATE) << "drawing into a texture";
        EXPECT_EQ(device->EndRenderToTexture(), KA_OK);
        target->Release();
        EXPECT_EQ(device->Release(), KA_OK);
    }
    SDL_DestroyWindow(window);
    EXPECT_EQ(Find<kaDoUnloadFn>("doUnload")(), KA_OK);
}

}  // namespace
