#pragma once

#include "kaRenderDevice.h"
#include "kaRenderDeviceDesc.h"

// The seven plain C entry points of a render-device plug-in, looked up by
// name, and the optional ones that read back presented frames and resize the
// back buffer.  All return
// a result code.
extern "C" {
typedef int (*kaDoLoadFn)();
typedef int (*kaDoUnloadFn)();
typedef int (*kaGetDescriptionFn)(char* text, unsigned maxChars);
typedef int (*kaGetVersionFn)(int* version);
typedef int (*kaGetRenderDeviceCountFn)(unsigned* count);
typedef int (*kaGetRenderDeviceDescFn)(kaRenderDeviceDesc* desc, unsigned adapter);
typedef int (*kaGetRenderDeviceFn)(kaRenderDevice** device, unsigned adapter);
// The frame most recently presented by Flip, as rows top first of B, G, R, A
// bytes: 0; 2 for null pointers or a size other than the back buffer's; 3
// before the device is initialised; 1 when the platform fails.
typedef int (*kaReadPresentedFrameFn)(kaRenderDevice* device, unsigned char* pixels,
                                      unsigned width, unsigned height);
// The same read back without waiting: begin starts reading the frame most
// recently presented (3 when the device has as many reads unfinished as it
// can hold, or is not initialised); end finishes the oldest read begun into
// `pixels`, with the codes of readPresentedFrame (3 when none was begun).
typedef int (*kaBeginReadPresentedFrameFn)(kaRenderDevice* device);
typedef int (*kaEndReadPresentedFrameFn)(kaRenderDevice* device, unsigned char* pixels,
                                         unsigned width, unsigned height);
// The window's drawable changed size: the back buffer and what depends on
// its size are made anew at width x height (0; 2 for a null device or a zero
// size; 3 before the device is initialised or while it draws into a
// texture; 1 when the platform fails).
typedef int (*kaResizeBackBufferFn)(kaRenderDevice* device, unsigned width, unsigned height);
}
