// Device creation, frame and presentation of the Direct3D 8 render device.

#include "kaD3DRenderDevice.h"

#include <cstring>
#include <initializer_list>

#include "kaD3DDisplayPixels.h"
#include "kaD3DModule.h"
#include "kaResult.h"

namespace {

constexpr DWORD kCanManageResources = 0x10000000;  // D3DCAPS2_CANMANAGERESOURCE
constexpr DWORD kDisableDriverManagement = 0x100;  // D3DCREATE_DISABLE_DRIVER_MANAGEMENT
constexpr UINT kImmediatePresentation = 0x80000000;

// Multisample types 0 (none) and 2 to 16 samples are Direct3D 8's; 1 is not
// a real type.
bool IsValidMultiSample(unsigned type) { return type != 1 && type <= 16; }

bool HasHardwareTransform(const D3DCAPS8& caps) {
    return (caps.DevCaps & D3DDEVCAPS_HWTRANSFORMANDLIGHT) != 0;
}

DWORD ResourceManagementFlags(const D3DCAPS8& caps) {
    return (caps.Caps2 & kCanManageResources) ? 0 : kDisableDriverManagement;
}

}  // namespace

kaD3DRenderDevice::kaD3DRenderDevice(unsigned adapter)
    : mAdapter(adapter), mSavedBackBuffer(nullptr), mSavedDepthStencil(nullptr),
      mTargetSurface(nullptr), mDevice(nullptr), mPresent() {}

// The checks and the capability query that both ways of initialising share.
int kaD3DRenderDevice::PrepareInitialization(void* window, unsigned multiSampleType,
                                             D3DCAPS8* caps) {
    if (mDevice != nullptr) return KA_ERR_WRONGSTATE;
    if (window == nullptr || !IsValidMultiSample(multiSampleType)) return KA_ERR_INVALIDARG;
    IDirect3D8* root = kaD3DRoot();
    if (root == nullptr) return KA_ERR_WRONGSTATE;
    if (FAILED(root->GetDeviceCaps(mAdapter, D3DDEVTYPE_HAL, caps))) return KA_ERR_PLATFORM;
    return KA_OK;
}

// Presentation parameters common to both ways: a back buffer of the given
// mode with an automatic depth-stencil surface.
void kaD3DRenderDevice::SetPresentParameters(void* window, unsigned width, unsigned height,
                                             D3DFORMAT format, unsigned depthFormat,
                                             unsigned multiSampleType) {
    std::memset(&mPresent, 0, sizeof mPresent);
    mPresent.BackBufferWidth = width;
    mPresent.BackBufferHeight = height;
    mPresent.BackBufferFormat = format;
    mPresent.MultiSampleType = static_cast<D3DMULTISAMPLE_TYPE>(multiSampleType);
    mPresent.hDeviceWindow = static_cast<HWND>(window);
    mPresent.EnableAutoDepthStencil = TRUE;
    mPresent.AutoDepthStencilFormat = static_cast<D3DFORMAT>(depthFormat);
}

int kaD3DRenderDevice::Initialize(void* window, unsigned modeIndex, unsigned depthFormat,
                                  unsigned multiSampleType, int vsync) {
    D3DCAPS8 caps;
    const int prepared = PrepareInitialization(window, multiSampleType, &caps);
    if (prepared != KA_OK) return prepared;
    D3DDISPLAYMODE mode;
    if (FAILED(kaD3DRoot()->EnumAdapterModes(mAdapter, modeIndex, &mode))) {
        return KA_ERR_INITFAILED;
    }
    SetPresentParameters(window, mode.Width, mode.Height, mode.Format, depthFormat,
                         multiSampleType);
    mPresent.SwapEffect = multiSampleType == 0 ? D3DSWAPEFFECT_FLIP : D3DSWAPEFFECT_DISCARD;
    mPresent.Windowed = FALSE;
    mPresent.FullScreen_RefreshRateInHz = mode.RefreshRate;
    mPresent.FullScreen_PresentationInterval = vsync ? D3DPRESENT_INTERVAL_ONE
                                                     : kImmediatePresentation;
    if (!CanMultiSample()) return KA_ERR_UNSUPPORTED;
    const DWORD processing = HasHardwareTransform(caps) ? D3DCREATE_MIXED_VERTEXPROCESSING
                                                        : D3DCREATE_SOFTWARE_VERTEXPROCESSING;
    return CreatePlatformDevice(ResourceManagementFlags(caps) | processing);
}

int kaD3DRenderDevice::InitializeWindowed(void* window, unsigned width, unsigned height,
                                          unsigned depthFormat, unsigned multiSampleType,
                                          int vsync) {
    D3DCAPS8 caps;
    const int prepared = PrepareInitialization(window, multiSampleType, &caps);
    if (prepared != KA_OK) return prepared;
    D3DDISPLAYMODE desktop;
    if (FAILED(kaD3DRoot()->GetAdapterDisplayMode(mAdapter, &desktop))) {
        return KA_ERR_INITFAILED;
    }
    SetPresentParameters(window, width, height, desktop.Format, depthFormat, multiSampleType);
    // A windowed device has no presentation interval: it waits for the
    // display's refresh through its swap effect, which multisampling rules
    // out (only DISCARD may be multisampled, and it presents at once).
    if (multiSampleType != 0) {
        mPresent.SwapEffect = D3DSWAPEFFECT_DISCARD;
    } else {
        mPresent.SwapEffect = vsync ? D3DSWAPEFFECT_COPY_VSYNC : D3DSWAPEFFECT_COPY;
    }
    mPresent.Windowed = TRUE;
    if (!CanMultiSample()) return KA_ERR_UNSUPPORTED;
    const DWORD processing = HasHardwareTransform(caps) ? D3DCREATE_HARDWARE_VERTEXPROCESSING
                                                        : D3DCREATE_SOFTWARE_VERTEXPROCESSING;
    return CreatePlatformDevice(ResourceManagementFlags(caps) | processing);
}

// Whether the adapter multisamples the chosen back buffer and depth formats
// in the type asked for, windowed or full-screen as chosen (always, when none
// is asked for).
bool kaD3DRenderDevice::CanMultiSample() const {
    if (mPresent.MultiSampleType == D3DMULTISAMPLE_NONE) return true;
    IDirect3D8* root = kaD3DRoot();
    for (D3DFORMAT format : {mPresent.BackBufferFormat, mPresent.AutoDepthStencilFormat}) {
        if (FAILED(root->CheckDeviceMultiSampleType(mAdapter, D3DDEVTYPE_HAL, format,
                                                    mPresent.Windowed,
                                                    mPresent.MultiSampleType))) {
            return false;
        }
    }
    return true;
}

int kaD3DRenderDevice::CreatePlatformDevice(DWORD behaviour) {
    IDirect3DDevice8* device = nullptr;
    if (FAILED(kaD3DRoot()->CreateDevice(mAdapter, D3DDEVTYPE_HAL, mPresent.hDeviceWindow,
                                         behaviour, &mPresent, &device)) ||
        device == nullptr) {
        return KA_ERR_INITFAILED;
    }
    mDevice = device;
    return PostInitialize();
}

// Sends the whole default state once, empties every stack and shows a first
// black frame.
int kaD3DRenderDevice::PostInitialize() {
    InitializeState();
    ReadViewportFromPlatform();
    mDevice->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0, 0.0f, 0);
    mDevice->BeginScene();
    mDevice->EndScene();
    mDevice->Present(nullptr, nullptr, nullptr, nullptr);
    return KA_OK;
}

int kaD3DRenderDevice::CheckDepthStencil(unsigned depthFormat, unsigned modeIndex, int windowed) {
    IDirect3D8* root = kaD3DRoot();
    if (root == nullptr) return KA_ERR_MISSING;
    D3DDISPLAYMODE mode;
    const HRESULT queried = windowed ? root->GetAdapterDisplayMode(mAdapter, &mode)
                                     : root->EnumAdapterModes(mAdapter, modeIndex, &mode);
    if (FAILED(queried)) return KA_ERR_PLATFORM;
    const HRESULT usable =
        root->CheckDeviceFormat(mAdapter, D3DDEVTYPE_HAL, mode.Format, D3DUSAGE_DEPTHSTENCIL,
                                D3DRTYPE_SURFACE, static_cast<D3DFORMAT>(depthFormat));
    return SUCCEEDED(usable) ? KA_OK : KA_ERR_UNSUPPORTED;
}

int kaD3DRenderDevice::Clear(unsigned flags, unsigned color, float z, unsigned stencil) {
    if (mDevice == nullptr) return KA_ERR_PLATFORM;
    return SUCCEEDED(mDevice->Clear(0, nullptr, flags, color, z, stencil)) ? KA_OK
                                                                         : KA_ERR_PLATFORM;
}

int kaD3DRenderDevice::Flip() {
    if (mDevice == nullptr) return KA_ERR_PLATFORM;
    return SUCCEEDED(mDevice->Present(nullptr, nullptr, nullptr, nullptr)) ? KA_OK
                                                                           : KA_ERR_PLATFORM;
}

// The copy swap effects leave the presented picture in the back buffer; the
// back buffer cannot be locked itself, so it is copied into a surface in
// system memory first.  A multisampled back buffer cannot be copied at all
// (and its swap chain discards), so its frames are not readable.
int kaD3DRenderDevice::ReadPresentedFrame(unsigned char* pixels, unsigned width,
                                          unsigned height) {
    if (pixels == nullptr) return KA_ERR_INVALIDARG;
    if (mDevice == nullptr) return KA_ERR_WRONGSTATE;
    if (width != mPresent.BackBufferWidth || height != mPresent.BackBufferHeight) {
        return KA_ERR_INVALIDARG;
    }
    if (mPresent.MultiSampleType != D3DMULTISAMPLE_NONE) return KA_ERR_UNSUPPORTED;
    if (mPresent.SwapEffect != D3DSWAPEFFECT_COPY &&
        mPresent.SwapEffect != D3DSWAPEFFECT_COPY_VSYNC) {
        return KA_ERR_PLATFORM;
    }
    IDirect3DSurface8* backBuffer = nullptr;
    IDirect3DSurface8* copy = nullptr;
    D3DSURFACE_DESC desc;
    D3DLOCKED_RECT locked;
    int result = KA_ERR_PLATFORM;
    if (SUCCEEDED(mDevice->GetBackBuffer(0, D3DBACKBUFFER_TYPE_MONO, &backBuffer)) &&
        SUCCEEDED(backBuffer->GetDesc(&desc)) && kaD3DDisplayPixels::isReadable(desc.Format) &&
        SUCCEEDED(mDevice->CreateImageSurface(width, height, desc.Format, &copy)) &&
        SUCCEEDED(mDevice->CopyRects(backBuffer, nullptr, 0, copy, nullptr)) &&
        SUCCEEDED(copy->LockRect(&locked, nullptr, D3DLOCK_READONLY))) {
        kaD3DDisplayPixels::ToBgra(desc.Format, locked.pBits, locked.Pitch, width, height, pixels);
        copy->UnlockRect();
        result = KA_OK;
    }
    if (copy != nullptr) copy->Release();
    if (backBuffer != nullptr) backBuffer->Release();
    return result;
}

// Starts a frame.  A device that was lost and may now be reset is reset with
// the parameters it was created with; while it stays lost, drawing fails
// quietly until it can be reset.
int kaD3DRenderDevice::BeginRender() {
    if (mDevice == nullptr) return KA_ERR_WRONGSTATE;
    if (mDevice->TestCooperativeLevel() == D3DERR_DEVICENOTRESET) mDevice->Reset(&mPresent);
    mDevice->BeginScene();
    return KA_OK;
}

int kaD3DRenderDevice::EndRender() {
    if (mDevice == nullptr) return KA_ERR_WRONGSTATE;
    ForgetStreams();
    mDevice->EndScene();
    return KA_OK;
}

// A draw outside the bound buffers is refused before it reaches the platform.
int kaD3DRenderDevice::DrawPrimitive(unsigned primitiveType, unsigned startVertex,
                                     unsigned primitiveCount) {
    if (mDevice == nullptr) return KA_ERR_PLATFORM;
    const int inside = CheckDraw(primitiveType, startVertex, primitiveCount);
    if (inside != KA_OK) return inside;
    const HRESULT drawn = mDevice->DrawPrimitive(static_cast<D3DPRIMITIVETYPE>(primitiveType),
                                                 startVertex, primitiveCount);
    return SUCCEEDED(drawn) ? KA_OK : KA_ERR_PLATFORM;
}

int kaD3DRenderDevice::DrawIndexedPrimitive(unsigned primitiveType, unsigned startIndex,
                                            unsigned vertexCount, unsigned primitiveCount) {
    if (mDevice == nullptr) return KA_ERR_PLATFORM;
    const int inside = CheckIndexedDraw(primitiveType, startIndex, vertexCount, primitiveCount);
    if (inside != KA_OK) return inside;
    const HRESULT drawn = mDevice->DrawIndexedPrimitive(
        static_cast<D3DPRIMITIVETYPE>(primitiveType), 0, vertexCount, startIndex, primitiveCount);
    return SUCCEEDED(drawn) ? KA_OK : KA_ERR_PLATFORM;
}

// Releases the platform device (and any surfaces a render-to-texture left
// held) and destroys the device object.
int kaD3DRenderDevice::Release() {
    for (IDirect3DSurface8* surface : {mSavedBackBuffer, mSavedDepthStencil, mTargetSurface}) {
        if (surface != nullptr) surface->Release();
    }
    if (mDevice != nullptr) mDevice->Release();
    delete this;
    return KA_OK;
}
