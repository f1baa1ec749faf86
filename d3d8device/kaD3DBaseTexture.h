#pragma once

#include <d3d8.h>

#include <cstdint>

#include "kaBaseTexture.h"
#include "kaTexelLevel.h"

// A 2D, cube or volume platform texture with a reference count and the upload
// and read-back of whole levels in the caller's byte order.
class kaD3DBaseTexture final : public kaBaseTexture {
public:
    enum Kind : uint32_t { KIND_2D = 1, KIND_CUBE = 2, KIND_VOLUME = 3 };

    // Takes over the caller's reference to the platform texture.
    kaD3DBaseTexture(Kind kind, IDirect3DBaseTexture8* texture);

    int UpdateBuffer(void* texels, unsigned level) override;
    int UpdateCubeFaceBuffer(void* texels, unsigned face, unsigned level) override;
    int UpdateVolumeBuffer(void* texels, unsigned level) override;
    int getBuffer(void* texels, unsigned level) override;
    int getCubeFaceBuffer(void* texels, unsigned face, unsigned level) override;
    int getVolumeBuffer(void* texels, unsigned level) override;
    int getLevelDesc(unsigned* format, unsigned* width, unsigned* height, unsigned* depth,
                     unsigned level) override;
    int getLevelCount(unsigned* count) override;
    int Release() override;

    Kind getKind() const { return static_cast<Kind>(mKind); }
    IDirect3DBaseTexture8* getPlatformTexture() const { return mTexture; }
    // The surface of a 2D level or of a cube face level, with a reference the
    // caller releases; null when the texture is of the other kind or the
    // platform has no such surface.
    IDirect3DSurface8* AcquireSurface(Kind kind, unsigned face, unsigned level);

private:
    enum Direction { UPLOAD, DOWNLOAD };

    ~kaD3DBaseTexture();

    int Transfer(Direction direction, Kind kind, void* texels, unsigned face, unsigned level);
    int TransferVolume(Direction direction, const kaTexelLevel& layout, void* texels,
                       unsigned level);
    int TransferSurface(Direction direction, const kaTexelLevel& layout, void* texels,
                        unsigned face, unsigned level);
    static void Move(Direction direction, const kaTexelLevel& layout, void* texels,
                     void* locked, kaTexelLevel::Pitches pitches);

    IDirect3DTexture8* AsTexture() const;
    IDirect3DCubeTexture8* AsCube() const;
    IDirect3DVolumeTexture8* AsVolume() const;

    uint32_t mKind;
    IDirect3DBaseTexture8* mTexture;
};
