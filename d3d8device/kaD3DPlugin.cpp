// The seven entry points of the plug-in, exported under their plain C names,
// and the read-back of presented frames that the video capture uses.

#include <cstdio>
#include <cstring>

#include "kaD3DModule.h"
#include "kaD3DRenderDevice.h"
#include "kaPluginApi.h"
#include "kaPluginSupport.h"
#include "kaResult.h"

#define KA_PLUGIN_EXPORT extern "C" __declspec(dllexport)

namespace {

const char kDescription[] = "Direct3D Renderer";
constexpr UINT kDirect3DVersion = 220;  // D3D_SDK_VERSION of Direct3D 8.1
constexpr DWORD kNoWhqlLevel = 2;       // D3DENUM_NO_WHQL_LEVEL

// Lists the adapter's usable modes with their platform numbers.
int FillModes(IDirect3D8* root, kaRenderDeviceDesc* desc, unsigned adapter) {
    desc->modeCount = 0;
    const UINT count = root->GetAdapterModeCount(adapter);
    bool room = true;
    for (UINT n = 0; n < count && room; ++n) {
        D3DDISPLAYMODE mode;
        if (FAILED(root->EnumAdapterModes(adapter, n, &mode))) return KA_ERR_PLATFORM;
        room = kaListDisplayMode(desc, {mode.Width, mode.Height, kaDisplayFormatBits(mode.Format),
                                        mode.RefreshRate, n});
    }
    return KA_OK;
}

void FillCaps(const D3DCAPS8& caps, kaRenderDeviceDesc* desc) {
    desc->maxTextures = static_cast<uint8_t>(caps.MaxSimultaneousTextures & 0xFF);
    desc->hasHardwareTransform = (caps.DevCaps & D3DDEVCAPS_HWTRANSFORMANDLIGHT) ? 1 : 0;
    desc->isPureDevice = (caps.DevCaps & D3DDEVCAPS_PUREDEVICE) ? 1 : 0;
    desc->maxAnisotropy =
        (caps.RasterCaps & D3DPRASTERCAPS_ANISOTROPY) ? caps.MaxAnisotropy : 0;
    desc->pixelShaderVersion = caps.PixelShaderVersion;
    desc->vertexShaderVersion = caps.VertexShaderVersion;
}

}  // namespace

KA_PLUGIN_EXPORT int doLoad() {
    if (kaD3DRoot() != nullptr) return KA_OK;
    IDirect3D8* root = Direct3DCreate8(kDirect3DVersion);
    if (root == nullptr) return KA_ERR_INITFAILED;
    kaD3DSetRoot(root);
    return KA_OK;
}

KA_PLUGIN_EXPORT int doUnload() {
    IDirect3D8* root = kaD3DRoot();
    if (root == nullptr) return KA_ERR_WRONGSTATE;
    root->Release();
    kaD3DSetRoot(nullptr);
    return KA_OK;
}

KA_PLUGIN_EXPORT int getDescription(char* text, unsigned maxChars) {
    return kaCopyDescription(kDescription, text, maxChars);
}

KA_PLUGIN_EXPORT int getVersion(int* version) { return kaStoreVersion(version); }

KA_PLUGIN_EXPORT int getRenderDeviceCount(unsigned* count) {
    if (count == nullptr) return KA_ERR_INVALIDARG;
    IDirect3D8* root = kaD3DRoot();
    if (root == nullptr) return KA_ERR_WRONGSTATE;
    *count = root->GetAdapterCount();
    return KA_OK;
}

KA_PLUGIN_EXPORT int getRenderDeviceDesc(kaRenderDeviceDesc* desc, unsigned adapter) {
    if (desc == nullptr) return KA_ERR_INVALIDARG;
    IDirect3D8* root = kaD3DRoot();
    if (root == nullptr) return KA_ERR_WRONGSTATE;
    D3DADAPTER_IDENTIFIER8 identifier;
    if (FAILED(root->GetAdapterIdentifier(adapter, kNoWhqlLevel, &identifier))) {
        return KA_ERR_WRONGSTATE;
    }
    std::memset(desc->name, 0, sizeof desc->name);
    std::snprintf(desc->name, sizeof desc->name, "%s", identifier.Description);
    const int modes = FillModes(root, desc, adapter);
    if (modes != KA_OK) return modes;
    D3DCAPS8 caps;
    if (FAILED(root->GetDeviceCaps(adapter, D3DDEVTYPE_HAL, &caps))) return KA_ERR_PLATFORM;
    FillCaps(caps, desc);
    return KA_OK;
}

KA_PLUGIN_EXPORT int getRenderDevice(kaRenderDevice** device, unsigned adapter) {
    return kaHandOutDevice<kaD3DRenderDevice>(device, adapter);
}

KA_PLUGIN_EXPORT int readPresentedFrame(kaRenderDevice* device, unsigned char* pixels,
                                        unsigned width, unsigned height) {
    // Only a device of this module can be read; any other is refused.
    auto* own = dynamic_cast<kaD3DRenderDevice*>(device);
    if (own == nullptr || pixels == nullptr) return KA_ERR_INVALIDARG;
    return own->ReadPresentedFrame(pixels, width, height);
}
