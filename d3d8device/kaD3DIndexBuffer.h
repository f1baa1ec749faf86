#pragma once

#include <d3d8.h>

#include "kaWritableIndexBuffer.h"

// A platform buffer of 16-bit indices.  The writers store into the copy in
// memory; Unlock copies the locked range into the platform's locked memory.
// Once the device is released Lock answers 3.
class kaD3DIndexBuffer final : public kaWritableIndexBuffer {
public:
    // Makes a buffer for indexCount indices in the platform's default pool.
    // Returns 2 for a size that does not fit 32 bits, 4 when the object
    // cannot be allocated, 1 when the platform refuses; *out is set only on success.
    static int Create(IDirect3DDevice8* device, unsigned indexCount, unsigned usage,
                      kaD3DIndexBuffer** out);

    int Release() override;
    int Lock(unsigned firstIndex, unsigned indexCount, unsigned lockFlags) override;
    int Unlock() override;

    IDirect3DIndexBuffer8* getPlatformBuffer() const { return mBuffer; }

private:
    kaD3DIndexBuffer();
    ~kaD3DIndexBuffer();

    IDirect3DIndexBuffer8* mBuffer;
    BYTE* mLocked;
};
