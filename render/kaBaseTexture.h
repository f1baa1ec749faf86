#pragma once

#include "kaRenderApi.h"

// A reference-counted device texture (2D, cube or volume).  The count starts
// at 1; IncRef, DecRef and getRefCount only count, Release frees the texture
// when it finds the count at 1.
class KA_RENDER_API kaBaseTexture {
public:
    kaBaseTexture();
    kaBaseTexture(const kaBaseTexture&);
    kaBaseTexture& operator=(const kaBaseTexture&);

    void IncRef();
    void DecRef();
    unsigned getRefCount();

    virtual int UpdateBuffer(void* texels, unsigned level) = 0;
    virtual int UpdateCubeFaceBuffer(void* texels, unsigned face, unsigned level) = 0;
    virtual int UpdateVolumeBuffer(void* texels, unsigned level) = 0;
    virtual int getBuffer(void* texels, unsigned level) = 0;
    virtual int getCubeFaceBuffer(void* texels, unsigned face, unsigned level) = 0;
    virtual int getVolumeBuffer(void* texels, unsigned level) = 0;
    virtual int getLevelDesc(unsigned* format, unsigned* width, unsigned* height,
                             unsigned* depth, unsigned level) = 0;
    virtual int getLevelCount(unsigned* count) = 0;
    virtual int Release() = 0;

protected:
    ~kaBaseTexture();  // destroyed only through Release

private:
    unsigned mRefCount;
};
