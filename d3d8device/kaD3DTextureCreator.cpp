#include "kaD3DTextureCreator.h"

#include "kaTexelLevel.h"

namespace {

UINT NextPowerOfTwo(UINT value) {
    UINT power = 1;
    while (power < value && power < 0x80000000u) power <<= 1;
    return power;
}

UINT LargestPowerOfTwoUpTo(UINT value) {
    UINT power = 1;
    while (power <= value / 2) power <<= 1;
    return power;
}

UINT Larger(UINT a, UINT b) { return a > b ? a : b; }
UINT Smaller(UINT a, UINT b) { return a < b ? a : b; }

struct Limits {
    bool powerOfTwo;
    bool square;
    bool mipmaps;
    UINT maxExtent;  // 0 when the caps name no limit
};

Limits LimitsFor(const D3DCAPS8& caps, D3DRESOURCETYPE type) {
    const DWORD t = caps.TextureCaps;
    switch (type) {
    case D3DRTYPE_CUBETEXTURE:
        return {(t & D3DPTEXTURECAPS_CUBEMAP_POW2) != 0, true,
                (t & D3DPTEXTURECAPS_MIPCUBEMAP) != 0,
                Smaller(caps.MaxTextureWidth, caps.MaxTextureHeight)};
    case D3DRTYPE_VOLUMETEXTURE:
        return {(t & D3DPTEXTURECAPS_VOLUMEMAP_POW2) != 0, false,
                (t & D3DPTEXTURECAPS_MIPVOLUMEMAP) != 0, caps.MaxVolumeExtent};
    default:
        return {(t & D3DPTEXTURECAPS_POW2) != 0, (t & D3DPTEXTURECAPS_SQUAREONLY) != 0,
                (t & D3DPTEXTURECAPS_MIPMAP) != 0,
                Smaller(caps.MaxTextureWidth, caps.MaxTextureHeight)};
    }
}

UINT FitExtent(UINT extent, const Limits& limits) {
    if (extent == 0) extent = 1;
    if (limits.powerOfTwo) extent = NextPowerOfTwo(extent);
    if (limits.maxExtent != 0 && extent > limits.maxExtent) {
        extent = limits.powerOfTwo ? LargestPowerOfTwoUpTo(limits.maxExtent) : limits.maxExtent;
    }
    return extent;
}

bool IsBlockCompressed(D3DFORMAT format) {
    return format == D3DFMT_DXT1 || format == D3DFMT_DXT2 || format == D3DFMT_DXT3 ||
           format == D3DFMT_DXT4 || format == D3DFMT_DXT5;
}

// Block-compressed textures are made of whole 4 x 4 blocks.
UINT WholeBlocks(UINT extent) { return (extent + 3) & ~3u; }

// Formats tried, in this order, when the device cannot use the requested one.
const D3DFORMAT kFallbackFormats[] = {D3DFMT_A8R8G8B8, D3DFMT_X8R8G8B8, D3DFMT_R5G6B5,
                                      D3DFMT_A1R5G5B5, D3DFMT_A4R4G4B4};

}  // namespace

kaD3DTextureCreator::kaD3DTextureCreator(IDirect3DDevice8* device) : mDevice(device) {}

void kaD3DTextureCreator::FitToCaps(const D3DCAPS8& caps, D3DRESOURCETYPE type,
                                    Request& request) {
    const Limits limits = LimitsFor(caps, type);
    if (limits.square) request.width = request.height = Larger(request.width, request.height);
    request.width = FitExtent(request.width, limits);
    request.height = FitExtent(request.height, limits);
    UINT largest = Larger(request.width, request.height);
    if (type == D3DRTYPE_VOLUMETEXTURE) {
        request.depth = FitExtent(request.depth, limits);
        largest = Larger(largest, request.depth);
    }
    const UINT full = limits.mipmaps ? kaTexelLevel::FullChain(largest) : 1;
    if (request.levels == 0 || request.levels > full) request.levels = full;
}

HRESULT kaD3DTextureCreator::ChooseFormat(D3DRESOURCETYPE type, DWORD usage, D3DFORMAT& format) {
    D3DDEVICE_CREATION_PARAMETERS creation;
    D3DDISPLAYMODE mode;
    IDirect3D8* d3d = nullptr;
    HRESULT hr = mDevice->GetCreationParameters(&creation);
    if (SUCCEEDED(hr)) hr = mDevice->GetDisplayMode(&mode);
    if (SUCCEEDED(hr)) hr = mDevice->GetDirect3D(&d3d);
    if (FAILED(hr)) return hr;
    // Only these usages are properties of a format; the rest only describe access.
    const DWORD formatUsage = usage & (D3DUSAGE_RENDERTARGET | D3DUSAGE_DEPTHSTENCIL);
    auto supported = [&](D3DFORMAT candidate) {
        return SUCCEEDED(d3d->CheckDeviceFormat(creation.AdapterOrdinal, creation.DeviceType,
                                                mode.Format, formatUsage, type, candidate));
    };
    hr = D3DERR_NOTAVAILABLE;
    if (supported(format)) {
        hr = D3D_OK;
    } else {
        for (D3DFORMAT candidate : kFallbackFormats) {
            if (!supported(candidate)) continue;
            format = candidate;
            hr = D3D_OK;
            break;
        }
    }
    d3d->Release();
    return hr;
}

HRESULT kaD3DTextureCreator::Fit(D3DRESOURCETYPE type, DWORD usage, Request& request) {
    D3DCAPS8 caps;
    const HRESULT hr = mDevice->GetDeviceCaps(&caps);
    if (FAILED(hr)) return hr;
    FitToCaps(caps, type, request);
    const HRESULT chosen = ChooseFormat(type, usage, request.format);
    if (SUCCEEDED(chosen) && IsBlockCompressed(request.format)) {
        request.width = WholeBlocks(request.width);
        request.height = WholeBlocks(request.height);
    }
    return chosen;
}

HRESULT kaD3DTextureCreator::Create(D3DRESOURCETYPE type, Request request, DWORD usage,
                                    D3DPOOL pool, IDirect3DBaseTexture8** out) {
    const HRESULT hr = Fit(type, usage, request);
    return FAILED(hr) ? hr : CreateFitted(type, request, usage, pool, out);
}

HRESULT kaD3DTextureCreator::CreateFitted(D3DRESOURCETYPE type, const Request& r, DWORD usage,
                                          D3DPOOL pool, IDirect3DBaseTexture8** out) {
    HRESULT hr = D3DERR_INVALIDCALL;
    if (type == D3DRTYPE_CUBETEXTURE) {
        IDirect3DCubeTexture8* cube = nullptr;
        hr = mDevice->CreateCubeTexture(r.width, r.levels, usage, r.format, pool, &cube);
        *out = cube;
    } else if (type == D3DRTYPE_VOLUMETEXTURE) {
        IDirect3DVolumeTexture8* volume = nullptr;
        hr = mDevice->CreateVolumeTexture(r.width, r.height, r.depth, r.levels, usage, r.format,
                                          pool, &volume);
        *out = volume;
    } else {
        IDirect3DTexture8* texture = nullptr;
        hr = mDevice->CreateTexture(r.width, r.height, r.levels, usage, r.format, pool, &texture);
        *out = texture;
    }
    return hr;
}
