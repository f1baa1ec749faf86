// The entry points of the OpenGL plug-in, exported under their plain C names:
// the seven every render-device plug-in has, the read-back of the frame
// last shown and the resize of the back buffer.
#include <cstdio>
#include <cstring>

#include "kaGLContext.h"
#include "kaGLRenderDevice.h"
#include "kaPluginApi.h"
#include "kaPluginSupport.h"
#include "kaResult.h"

#define KA_PLUGIN_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

const char kDescription[] = "OpenGL Renderer";
const char kDeviceName[] = "OpenGL Render Device";
constexpr uint32_t kPixelShaderVersion = 0xFFFF0104;   // ps.1.4
constexpr uint32_t kVertexShaderVersion = 0xFFFE0101;  // vs.1.1

}  // namespace

KA_PLUGIN_EXPORT int doLoad() { return kaGLContext::LoadPlatform(); }

KA_PLUGIN_EXPORT int doUnload() { return kaGLContext::UnloadPlatform(); }

KA_PLUGIN_EXPORT int getDescription(char* text, unsigned maxChars) {
    return kaCopyDescription(kDescription, text, maxChars);
}

KA_PLUGIN_EXPORT int getVersion(int* version) { return kaStoreVersion(version); }

// Each display is an adapter.
KA_PLUGIN_EXPORT int getRenderDeviceCount(unsigned* count) {
    if (count == nullptr) return KA_ERR_INVALIDARG;
    if (!kaGLContext::PlatformLoaded()) return KA_ERR_WRONGSTATE;
    *count = kaGLContext::DisplayCount();
    return KA_OK;
}

// The device's name with the display's, the display's modes filtered as the
// Direct3D plug-in filters them, and what every context of this device offers.
KA_PLUGIN_EXPORT int getRenderDeviceDesc(kaRenderDeviceDesc* desc, unsigned adapter) {
    if (desc == nullptr) return KA_ERR_INVALIDARG;
    if (!kaGLContext::PlatformLoaded()) return KA_ERR_WRONGSTATE;
    if (adapter >= kaGLContext::DisplayCount()) return KA_ERR_WRONGSTATE;
    std::memset(desc->name, 0, sizeof desc->name);
    std::snprintf(desc->name, sizeof desc->name, "%s (%s)", kDeviceName,
                  kaGLContext::DisplayName(adapter));
    desc->modeCount = 0;
    const unsigned count = kaGLContext::DisplayModeCount(adapter);
    bool room = true;
    for (unsigned n = 0; n < count && room; ++n) {
        unsigned mode[4];
        if (!kaGLContext::DisplayMode(adapter, n, mode)) return KA_ERR_PLATFORM;
        room = kaListDisplayMode(desc, {mode[0], mode[1], mode[2], mode[3], n});
    }
    desc->maxTextures = 8;
    desc->hasHardwareTransform = 1;
    desc->isPureDevice = 0;
    desc->maxAnisotropy = 0;
    desc->pixelShaderVersion = kPixelShaderVersion;
    desc->vertexShaderVersion = kVertexShaderVersion;
    return KA_OK;
}

KA_PLUGIN_EXPORT int getRenderDevice(kaRenderDevice** device, unsigned adapter) {
    return kaHandOutDevice<kaGLRenderDevice>(device, adapter);
}

KA_PLUGIN_EXPORT int readPresentedFrame(kaRenderDevice* device, unsigned char* pixels,
                                        unsigned width, unsigned height) {
    if (device == nullptr) return KA_ERR_INVALIDARG;
    return static_cast<kaGLRenderDevice*>(device)->ReadPresentedFrame(pixels, width, height);
}

KA_PLUGIN_EXPORT int beginReadPresentedFrame(kaRenderDevice* device) {
    if (device == nullptr) return KA_ERR_INVALIDARG;
    return static_cast<kaGLRenderDevice*>(device)->BeginReadPresentedFrame();
}

KA_PLUGIN_EXPORT int endReadPresentedFrame(kaRenderDevice* device, unsigned char* pixels,
                                           unsigned width, unsigned height) {
    if (device == nullptr) return KA_ERR_INVALIDARG;
    return static_cast<kaGLRenderDevice*>(device)->EndReadPresentedFrame(pixels, width, height);
}

KA_PLUGIN_EXPORT int resizeBackBuffer(kaRenderDevice* device, unsigned width, unsigned height) {
    if (device == nullptr) return KA_ERR_INVALIDARG;
    return static_cast<kaGLRenderDevice*>(device)->ResizeBackBuffer(width, height);
}
