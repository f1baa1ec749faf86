// The conformance suite's device natively: the OpenGL device on a hidden SDL
// window, with the context kind that VX_GL_CONTEXT asks for.
#include <SDL.h>

#include "kaTestDevice.h"
#include "kaGLContext.h"
#include "kaGLRenderDevice.h"
#include "kaResult.h"

namespace {

SDL_Window* gWindow = nullptr;

}  // namespace

kaRenderDevice* kaTestDevice::Create(unsigned width, unsigned height, unsigned multiSampleType,
                                     int* result) {
    int initialized = KA_ERR_INITFAILED;
    if (result == nullptr) result = &initialized;
    if (kaGLContext::LoadPlatform() != 0) return nullptr;
    gWindow = SDL_CreateWindow("device test", 0, 0, int(width), int(height),
                               SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
    if (gWindow == nullptr) return nullptr;
    kaGLRenderDevice* device = new kaGLRenderDevice(0);
    *result = device->InitializeWindowed(gWindow, width, height, 77, multiSampleType, 0);
    if (*result != KA_OK) {
        device->Release();
        SDL_DestroyWindow(gWindow);
        gWindow = nullptr;
        return nullptr;
    }
    return device;
}

bool kaTestDevice::MultisamplesRenderTargets() { return true; }

void kaTestDevice::Destroy(kaRenderDevice* device) {
    device->Release();
    SDL_DestroyWindow(gWindow);
    gWindow = nullptr;
}

std::vector<uint32_t> kaTestDevice::PresentAndRead(kaRenderDevice* device, unsigned width,
                                                   unsigned height) {
    if (device->Flip() != 0) return {};
    std::vector<unsigned char> bgra(size_t(width) * height * 4);
    if (static_cast<kaGLRenderDevice*>(device)->ReadPresentedFrame(bgra.data(), width, height) !=
        0) {
        return {};
    }
    std::vector<uint32_t> pixels(size_t(width) * height);
    for (size_t i = 0; i < pixels.size(); ++i) {
        const unsigned char* p = &bgra[4 * i];
        pixels[i] = uint32_t(p[2]) << 16 | uint32_t(p[1]) << 8 | p[0];
    }
    return pixels;
}
