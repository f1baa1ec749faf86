#pragma once

#include <cstdint>

#include "kaBaseTexture.h"
#include "kaLinkedResource.h"

// What every device's texture shares: the kind, the nine operations' forms
// (six transfers of a whole level onto one Transfer, Release by the count),
// leaving the platform's side to the device's texture.  Once its device is
// released a texture transfers nothing (3) and can only be released.
class kaLevelTexture : public kaBaseTexture, public kaLinkedResource {
public:
    enum Kind : uint32_t { KIND_2D = 1, KIND_CUBE = 2, KIND_VOLUME = 3 };
    enum Direction { UPLOAD, DOWNLOAD };

    int UpdateBuffer(void* texels, unsigned level) final;
    int UpdateCubeFaceBuffer(void* texels, unsigned face, unsigned level) final;
    int UpdateVolumeBuffer(void* texels, unsigned level) final;
    int getBuffer(void* texels, unsigned level) final;
    int getCubeFaceBuffer(void* texels, unsigned face, unsigned level) final;
    int getVolumeBuffer(void* texels, unsigned level) final;
    // Subtracts one from the count and destroys the texture when it was 1,
    // after emptying the device's stages that still hold it.
    int Release() final;

    Kind getKind() const { return mKind; }

protected:
    explicit kaLevelTexture(Kind kind) : mKind(kind) {}
    ~kaLevelTexture() = default;

    // One whole level (of one cube face) in the caller's layout, for an
    // operation meant for textures of `kind`.
    virtual int Transfer(Direction direction, Kind kind, void* texels, unsigned face,
                         unsigned level) = 0;
    // Frees the platform texture (unless it went with the device) and the object.
    virtual void Destroy() = 0;

private:
    int TransferWhileLinked(Direction direction, Kind kind, void* texels, unsigned face,
                            unsigned level);

    Kind mKind;
};
