#pragma once

#include <cstdint>
#include <vector>

class kaRenderDevice;

// The platform's side of the device conformance suite: one implementation
// per device (kaTestDeviceD3D.cpp under Windows, kaTestDeviceGL.cpp natively).
// Nothing else in the suite (nor the demo-frame writer) knows which device
// it runs against.
struct kaTestDevice {
    // A windowed device with a back buffer of width x height and that
    // multisample type, initialised; null on failure, with the device's
    // answer in `result` when given.
    static kaRenderDevice* Create(unsigned width, unsigned height, unsigned multiSampleType = 0,
                                  int* result = nullptr);
    // Whether drawing into a render-target texture is multisampled along with
    // the back buffer (Direct3D 8 textures have one sample).
    static bool MultisamplesRenderTargets();
    static void Destroy(kaRenderDevice* device);
    // Shows the frame drawn so far (Flip) and reads it back: rows top first,
    // each pixel 0xRRGGBB.  Empty when the read-back fails.
    static std::vector<uint32_t> PresentAndRead(kaRenderDevice* device, unsigned width,
                                                unsigned height);
};

