#pragma once

#include <new>

#include "kaRenderDevice.h"
#include "kaRenderDeviceDesc.h"
#include "kaResult.h"

// What the plug-ins' exports have in common, whatever their platform.

// Copies a module description: at most maxChars characters and always a
// terminating zero, so text must hold maxChars + 1 bytes.  2 for a null text.
int kaCopyDescription(const char* description, char* text, unsigned maxChars);

// Appends one display mode to desc when it is listed: 16 or 32 bits per pixel
// (bitsPerPixel 0 means a format that is not listed) and at least 512 x 384.
// The count is eight bits wide, so the list holds at most 255 modes; returns
// false once it is full.
bool kaListDisplayMode(kaRenderDeviceDesc* desc, const kaDisplayMode& mode);

// Bits per pixel of a Direct3D display format: 32 for A8R8G8B8 and X8R8G8B8,
// 16 for R5G6B5, 0 for every format that is not listed.
unsigned kaDisplayFormatBits(unsigned format);

// Stores the plug-in interface's version, 1; 2 for a null pointer.
int kaStoreVersion(int* version);

// Makes a new device object of the plug-in for an adapter, not yet initialised.
template <typename Device>
int kaHandOutDevice(kaRenderDevice** device, unsigned adapter) {
    if (device == nullptr) return KA_ERR_INVALIDARG;
    Device* created = nullptr;
    try {
        created = new (std::nothrow) Device(adapter);  // the device's own parts may throw
    } catch (const std::bad_alloc&) {
        created = nullptr;
    }
    if (created == nullptr) return KA_ERR_OUTOFMEMORY;
    *device = created;
    return KA_OK;
}
