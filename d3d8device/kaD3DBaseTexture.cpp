#include "kaD3DBaseTexture.h"

#include "kaResult.h"

namespace {

constexpr unsigned kCubeFaces = 6;

void StoreIfWanted(unsigned* out, unsigned value) {
    if (out) *out = value;
}

}  // namespace

kaD3DBaseTexture::kaD3DBaseTexture(Kind kind, IDirect3DBaseTexture8* texture)
    : kaLevelTexture(kind), mTexture(texture) {}

kaD3DBaseTexture::~kaD3DBaseTexture() = default;

void kaD3DBaseTexture::Destroy() {
    if (mTexture) mTexture->Release();
    delete this;
}

// The platform texture is made by the creator of the matching kind, so the
// casts follow the kind recorded with it.
IDirect3DTexture8* kaD3DBaseTexture::AsTexture() const {
    return static_cast<IDirect3DTexture8*>(mTexture);
}

IDirect3DCubeTexture8* kaD3DBaseTexture::AsCube() const {
    return static_cast<IDirect3DCubeTexture8*>(mTexture);
}

IDirect3DVolumeTexture8* kaD3DBaseTexture::AsVolume() const {
    return static_cast<IDirect3DVolumeTexture8*>(mTexture);
}

int kaD3DBaseTexture::getLevelCount(unsigned* count) {
    if (!mTexture) return KA_ERR_MISSING;
    if (!count) return KA_ERR_INVALIDARG;
    *count = mTexture->GetLevelCount();
    return KA_OK;
}

int kaD3DBaseTexture::getLevelDesc(unsigned* format, unsigned* width, unsigned* height,
                                   unsigned* depth, unsigned level) {
    if (!mTexture) return KA_ERR_MISSING;
    if (getKind() == KIND_VOLUME) {
        D3DVOLUME_DESC desc;
        if (FAILED(AsVolume()->GetLevelDesc(level, &desc))) return KA_ERR_PLATFORM;
        StoreIfWanted(format, desc.Format);
        StoreIfWanted(width, desc.Width);
        StoreIfWanted(height, desc.Height);
        StoreIfWanted(depth, desc.Depth);
        return KA_OK;
    }
    D3DSURFACE_DESC desc;
    const HRESULT hr = getKind() == KIND_CUBE ? AsCube()->GetLevelDesc(level, &desc)
                                          : AsTexture()->GetLevelDesc(level, &desc);
    if (FAILED(hr)) return KA_ERR_PLATFORM;
    StoreIfWanted(format, desc.Format);
    StoreIfWanted(width, desc.Width);
    StoreIfWanted(height, desc.Height);
    StoreIfWanted(depth, 0);
    return KA_OK;
}

int kaD3DBaseTexture::Transfer(Direction direction, Kind kind, void* texels, unsigned face,
                               unsigned level) {
    if (getKind() != kind) return KA_ERR_WRONGSTATE;
    if (!mTexture) return KA_ERR_MISSING;
    if (!texels || face >= kCubeFaces) return KA_ERR_INVALIDARG;
    unsigned format = 0, width = 0, height = 0, depth = 0;
    if (getLevelDesc(&format, &width, &height, &depth, level) != KA_OK) return KA_ERR_PLATFORM;
    const kaTexelLevel layout(format, width, height, depth);
    if (layout.getPackedSize() == 0) return KA_ERR_UNSUPPORTED;  // texels of no known layout
    return getKind() == KIND_VOLUME ? TransferVolume(direction, layout, texels, level)
                                : TransferSurface(direction, layout, texels, face, level);
}

void kaD3DBaseTexture::Move(Direction direction, const kaTexelLevel& layout, void* texels,
                            void* locked, kaTexelLevel::Pitches pitches) {
    if (direction == UPLOAD) {
        layout.Upload(texels, locked, pitches);
    } else {
        layout.Download(locked, pitches, texels);
    }
}

int kaD3DBaseTexture::TransferSurface(Direction direction, const kaTexelLevel& layout,
                                      void* texels, unsigned face, unsigned level) {
    D3DLOCKED_RECT locked;
    const HRESULT hr =
        getKind() == KIND_CUBE
            ? AsCube()->LockRect(static_cast<D3DCUBEMAP_FACES>(face), level, &locked, nullptr, 0)
            : AsTexture()->LockRect(level, &locked, nullptr, 0);
    if (FAILED(hr)) return KA_ERR_PLATFORM;
    Move(direction, layout, texels, locked.pBits, {locked.Pitch, 0});
    const HRESULT unlocked = getKind() == KIND_CUBE
                                 ? AsCube()->UnlockRect(static_cast<D3DCUBEMAP_FACES>(face), level)
                                 : AsTexture()->UnlockRect(level);
    return FAILED(unlocked) ? KA_ERR_PLATFORM : KA_OK;
}

int kaD3DBaseTexture::TransferVolume(Direction direction, const kaTexelLevel& layout,
                                     void* texels, unsigned level) {
    D3DLOCKED_BOX locked;
    if (FAILED(AsVolume()->LockBox(level, &locked, nullptr, 0))) return KA_ERR_PLATFORM;
    Move(direction, layout, texels, locked.pBits, {locked.RowPitch, locked.SlicePitch});
    return FAILED(AsVolume()->UnlockBox(level)) ? KA_ERR_PLATFORM : KA_OK;
}

IDirect3DSurface8* kaD3DBaseTexture::AcquireSurface(Kind kind, unsigned face, unsigned level) {
    if (getKind() != kind || !mTexture || face >= kCubeFaces) return nullptr;
    IDirect3DSurface8* surface = nullptr;
    const HRESULT hr =
        kind == KIND_CUBE
            ? AsCube()->GetCubeMapSurface(static_cast<D3DCUBEMAP_FACES>(face), level, &surface)
            : AsTexture()->GetSurfaceLevel(level, &surface);
    return SUCCEEDED(hr) ? surface : nullptr;
}
