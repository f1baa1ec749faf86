// The conformance suite's device under Windows: the Direct3D 8 device on a
// window of its own.
#include "kaTestDeviceD3D.h"

#include "kaTestDevice.h"
#include "kaD3DModule.h"
#include "kaD3DRenderDevice.h"
#include "kaResult.h"

namespace {

const char kWindowClass[] = "VessamorixDeviceTest";

HWND CreateTestWindow(unsigned width, unsigned height) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = kWindowClass;
    RegisterClassA(&windowClass);
    return CreateWindowExA(0, kWindowClass, "device test", WS_POPUP | WS_VISIBLE, 0, 0, width,
                           height, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
}

}  // namespace

HWND kaTestWindow(unsigned width, unsigned height) {
    static HWND window = CreateTestWindow(width, height);
    return window;
}

IDirect3D8* kaTestRoot() {
    static IDirect3D8* root = Direct3DCreate8(D3D_SDK_VERSION);
    return root;
}

std::vector<uint32_t> kaReadBackBuffer(IDirect3DDevice8* device) {
    IDirect3DSurface8* backBuffer = nullptr;
    IDirect3DSurface8* copy = nullptr;
    std::vector<uint32_t> pixels;
    D3DSURFACE_DESC desc;
    if (SUCCEEDED(device->GetBackBuffer(0, D3DBACKBUFFER_TYPE_MONO, &backBuffer)) &&
        SUCCEEDED(backBuffer->GetDesc(&desc)) &&
        SUCCEEDED(device->CreateImageSurface(desc.Width, desc.Height, desc.Format, &copy)) &&
        SUCCEEDED(device->CopyRects(backBuffer, nullptr, 0, copy, nullptr))) {
        D3DLOCKED_RECT locked;
        if (SUCCEEDED(copy->LockRect(&locked, nullptr, D3DLOCK_READONLY))) {
            pixels.resize(size_t(desc.Width) * desc.Height);
            for (UINT y = 0; y < desc.Height; ++y) {
                const auto* row = reinterpret_cast<const uint32_t*>(
                    static_cast<const unsigned char*>(locked.pBits) + y * locked.Pitch);
                for (UINT x = 0; x < desc.Width; ++x) {
                    pixels[y * desc.Width + x] = row[x] & 0x00FFFFFF;
                }
            }
            copy->UnlockRect();
        }
    }
    if (copy) copy->Release();
    if (backBuffer) backBuffer->Release();
    return pixels;
}

namespace {

// What the screen shows of the test window's client area, width x height
// pixels as 0xRRGGBB; empty when it cannot be read.
std::vector<uint32_t> ReadFrontBuffer(IDirect3DDevice8* device, unsigned width,
                                      unsigned height) {
    D3DDISPLAYMODE mode;
    IDirect3DSurface8* screen = nullptr;
    POINT origin{0, 0};
    std::vector<uint32_t> pixels;
    if (FAILED(device->GetDisplayMode(&mode)) ||
        !ClientToScreen(kaTestWindow(width, height), &origin) || origin.x < 0 || origin.y < 0 ||
        origin.x + width > mode.Width || origin.y + height > mode.Height ||
        FAILED(device->CreateImageSurface(mode.Width, mode.Height, D3DFMT_A8R8G8B8, &screen))) {
        if (screen) screen->Release();
        return pixels;
    }
    D3DLOCKED_RECT locked;
    if (SUCCEEDED(device->GetFrontBuffer(screen)) &&
        SUCCEEDED(screen->LockRect(&locked, nullptr, D3DLOCK_READONLY))) {
        pixels.resize(size_t(width) * height);
        for (unsigned y = 0; y < height; ++y) {
            const auto* row = reinterpret_cast<const uint32_t*>(
                static_cast<const unsigned char*>(locked.pBits) + (origin.y + y) * locked.Pitch);
            for (unsigned x = 0; x < width; ++x) pixels[y * width + x] = row[origin.x + x] & 0xFFFFFF;
        }
        screen->UnlockRect();
    }
    screen->Release();
    return pixels;
}

}  // namespace

kaRenderDevice* kaTestDevice::Create(unsigned width, unsigned height, unsigned multiSampleType,
                                     int* result) {
    int initialized = KA_ERR_INITFAILED;
    if (result == nullptr) result = &initialized;
    HWND window = kaTestWindow(width, height);
    if (window == nullptr || kaTestRoot() == nullptr) return nullptr;
    kaD3DSetRoot(kaTestRoot());
    kaD3DRenderDevice* device = new kaD3DRenderDevice(0);
    *result = device->InitializeWindowed(window, width, height, D3DFMT_D24X8, multiSampleType, 0);
    if (*result != KA_OK) {
        device->Release();
        return nullptr;
    }
    return device;
}

bool kaTestDevice::MultisamplesRenderTargets() { return false; }

void kaTestDevice::Destroy(kaRenderDevice* device) { device->Release(); }

// The back buffer is read before it is shown: the copy swap effect leaves
// what Flip showed in it.  A multisampled back buffer cannot be copied: its
// resolved picture is read from the screen once shown.
std::vector<uint32_t> kaTestDevice::PresentAndRead(kaRenderDevice* device, unsigned width,
                                                   unsigned height) {
    IDirect3DDevice8* platform = static_cast<kaD3DRenderDevice*>(device)->getPlatformDevice();
    std::vector<uint32_t> pixels = kaReadBackBuffer(platform);
    if (device->Flip() != 0) return {};
    return pixels.empty() ? ReadFrontBuffer(platform, width, height) : pixels;
}
