#pragma once

#include <cstdint>

// One display mode of an adapter as the plug-in lists it.
struct kaDisplayMode {
    uint32_t width;
    uint32_t height;
    uint32_t bitsPerPixel;  // 16 or 32
    uint32_t refreshRate;   // Hz, 0 for the adapter's default
    uint32_t modeIndex;     // the platform's mode number
};

// What the plug-in tells about one adapter.
struct kaRenderDeviceDesc {
    static constexpr unsigned kMaxName = 256;
    static constexpr unsigned kMaxModes = 256;

    char name[kMaxName];
    uint8_t modeCount;
    kaDisplayMode modes[kMaxModes];
    uint8_t maxTextures;
    uint8_t hasHardwareTransform;
    uint8_t isPureDevice;
    uint32_t maxAnisotropy;
    uint32_t pixelShaderVersion;
    uint32_t vertexShaderVersion;
};
