// Modules in a browser: there is no loading of code at run time, so the one
// render device is linked into the program and "loading" it by any name
// hands out its entry points by name, as a loaded library would: the seven
// of every render device, the read-back of the frame last shown and the
// resize of the back buffer.
#include "kaModule.h"

#include <cstring>

#include "kaPluginApi.h"

extern "C" {
int doLoad();
int doUnload();
int getDescription(char* text, unsigned maxChars);
int getVersion(int* version);
int getRenderDeviceCount(unsigned* count);
int getRenderDeviceDesc(kaRenderDeviceDesc* desc, unsigned adapter);
int getRenderDevice(kaRenderDevice** device, unsigned adapter);
int readPresentedFrame(kaRenderDevice* device, unsigned char* pixels, unsigned width,
                       unsigned height);
int resizeBackBuffer(kaRenderDevice* device, unsigned width, unsigned height);
}

namespace {

struct Export {
    const char* name;
    void* address;
};

const Export kExports[] = {
    {"doLoad", reinterpret_cast<void*>(&doLoad)},
    {"doUnload", reinterpret_cast<void*>(&doUnload)},
    {"getDescription", reinterpret_cast<void*>(&getDescription)},
    {"getVersion", reinterpret_cast<void*>(&getVersion)},
    {"getRenderDeviceCount", reinterpret_cast<void*>(&getRenderDeviceCount)},
    {"getRenderDeviceDesc", reinterpret_cast<void*>(&getRenderDeviceDesc)},
    {"getRenderDevice", reinterpret_cast<void*>(&getRenderDevice)},
    {"readPresentedFrame", reinterpret_cast<void*>(&readPresentedFrame)},
    {"resizeBackBuffer", reinterpret_cast<void*>(&resizeBackBuffer)},
};

// Any non-null address marks the module as open.
const Export* const kLinkedModule = kExports;

}  // namespace

bool kaModule::Open(const char* fileName) {
    Close();
    if (fileName == nullptr || *fileName == '\0') return false;
    mHandle = const_cast<Export*>(kLinkedModule);
    return true;
}

void* kaModule::Symbol(const char* name) const {
    if (mHandle == nullptr || name == nullptr) return nullptr;
    for (const Export& entry : kExports) {
        if (std::strcmp(entry.name, name) == 0) return entry.address;
    }
    return nullptr;
}

void kaModule::Close() { mHandle = nullptr; }
