// The recording render device's plug-in module: the entry points every
// render-device module has, over the module's one kaRecordingPlugin.
#include <algorithm>
#include <cstring>
#include <string>

#include "kaPluginApi.h"
#include "kaRecordingPlugin.h"
#include "kaResult.h"

#define EXPORT extern "C" __attribute__((visibility("default")))

namespace {

const char kDescription[] = "Recording Renderer";

kaRecordingPlugin sPlugin;
bool sLoaded = false;

}  // namespace

EXPORT kaRecordingPlugin* getRecordingPlugin() { return &sPlugin; }

EXPORT int doLoad() {
    sPlugin.events.push_back("doLoad");
    sLoaded = sPlugin.loadResult == KA_OK;
    return sPlugin.loadResult;
}

EXPORT int doUnload() {
    sPlugin.events.push_back("doUnload");
    for (const auto& device : sPlugin.devices) {
        if (!device->isReleased()) ++sPlugin.devicesLiveAtUnload;
        sPlugin.resourcesLiveAtUnload += device->liveResourceCount();
    }
    if (!sLoaded) return KA_ERR_WRONGSTATE;
    sLoaded = false;
    return KA_OK;
}

EXPORT int getDescription(char* text, unsigned maxChars) {
    if (text == nullptr) return KA_ERR_INVALIDARG;
    const size_t length = std::min<size_t>(maxChars, sizeof kDescription - 1);
    std::memcpy(text, kDescription, length);
    text[length] = '\0';
    return KA_OK;
}

EXPORT int getVersion(int* version) {
    if (version == nullptr) return KA_ERR_INVALIDARG;
    *version = 1;
    return KA_OK;
}

EXPORT int getRenderDeviceCount(unsigned* count) {
    if (count == nullptr) return KA_ERR_INVALIDARG;
    *count = 1;
    return KA_OK;
}

EXPORT int getRenderDeviceDesc(kaRenderDeviceDesc* desc, unsigned adapter) {
    if (desc == nullptr) return KA_ERR_INVALIDARG;
    if (adapter != 0) return KA_ERR_WRONGSTATE;
    *desc = kaRenderDeviceDesc();
    std::memcpy(desc->name, kDescription, sizeof kDescription);
    return KA_OK;
}

EXPORT int getRenderDevice(kaRenderDevice** device, unsigned /*adapter*/) {
    sPlugin.events.push_back("getRenderDevice");
    if (device == nullptr) return KA_ERR_INVALIDARG;
    if (sPlugin.deviceResult != KA_OK) return sPlugin.deviceResult;
    sPlugin.devices.push_back(std::make_unique<kaRecordingDevice>());
    kaRecordingDevice& made = *sPlugin.devices.back();
    for (const auto& [operation, code] : sPlugin.deviceFailures) made.failNext(operation, code);
    *device = &made;
    return KA_OK;
}

EXPORT int resizeBackBuffer(kaRenderDevice* device, unsigned width, unsigned height) {
    sPlugin.events.push_back("resizeBackBuffer " + std::to_string(width) + "x" +
                             std::to_string(height));
    if (device == nullptr) return KA_ERR_INVALIDARG;
    return sPlugin.resizeResult;
}
