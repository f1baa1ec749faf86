#pragma once

#include <d3d8.h>

#include <cstdint>

#include "kaLevelTexture.h"
#include "kaTexelLevel.h"

// A 2D, cube or volume platform texture with a reference count and the upload
// and read-back of whole levels in the caller's byte order.
class kaD3DBaseTexture final : public kaLevelTexture {
public:
    // Takes over the caller's reference to the platform texture.
    kaD3DBaseTexture(Kind kind, IDirect3DBaseTexture8* texture);

    int getLevelDesc(unsigned* format, unsigned* width, unsigned* height, unsigned* depth,
                     unsigned level) override;
    int getLevelCount(unsigned* count) override;

    IDirect3DBaseTexture8* getPlatformTexture() const { return mTexture; }
    // The surface of a 2D level or of a cube face level, with a reference the
    // caller releases; null when the texture is of the other kind or the
    // platform has no such surface.
    IDirect3DSurface8* AcquireSurface(Kind kind, unsigned face, unsigned level);

private:
    ~kaD3DBaseTexture();

    int Transfer(Direction direction, Kind kind, void* texels, unsigned face,
                 unsigned level) override;
    void Destroy() override;
    int TransferVolume(Direction direction, const kaTexelLevel& layout, void* texels,
                       unsigned level);
    int TransferSurface(Direction direction, const kaTexelLevel& layout, void* texels,
                        unsigned face, unsigned level);
    static void Move(Direction direction, const kaTexelLevel& layout, void* texels,
                     void* locked, kaTexelLevel::Pitches pitches);

    IDirect3DTexture8* AsTexture() const;
    IDirect3DCubeTexture8* AsCube() const;
    IDirect3DVolumeTexture8* AsVolume() const;

    IDirect3DBaseTexture8* mTexture;
};
