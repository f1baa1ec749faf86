#pragma once

#include "kaRenderDevice.h"
#include "kaRenderDeviceDesc.h"

// The seven plain C entry points of a render-device plug-in, looked up by
// name.  All return a result code.
extern "C" {
typedef int (*kaDoLoadFn)();
typedef int (*kaDoUnloadFn)();
typedef int (*kaGetDescriptionFn)(char* text, unsigned maxChars);
typedef int (*kaGetVersionFn)(int* version);
typedef int (*kaGetRenderDeviceCountFn)(unsigned* count);
typedef int (*kaGetRenderDeviceDescFn)(kaRenderDeviceDesc* desc, unsigned adapter);
typedef int (*kaGetRenderDeviceFn)(kaRenderDevice** device, unsigned adapter);
}
