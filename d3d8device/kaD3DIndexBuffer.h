#pragma once

#include <d3d8.h>

#include <cstdint>

#include "kaIndexBuffer.h"

// A platform buffer of 16-bit indices, filled between Lock and Unlock through
// one cursor counted from the start of the locked range.
class kaD3DIndexBuffer final : public kaIndexBuffer {
public:
    // Makes a buffer for indexCount indices in the platform's default pool.
    // Returns 2 for a size that does not fit 32 bits, 4 when the object
    // cannot be allocated, 1 when the platform refuses; *out is set only on success.
    static int Create(IDirect3DDevice8* device, unsigned indexCount, unsigned usage,
                      kaD3DIndexBuffer** out);

    int Release() override;
    void AddIndex(unsigned short index) override;
    void AddIndexArray(unsigned short* indices, unsigned count) override;
    int Lock(unsigned firstIndex, unsigned indexCount, unsigned lockFlags) override;
    int Unlock() override;

    IDirect3DIndexBuffer8* getPlatformBuffer() const { return mBuffer; }

private:
    kaD3DIndexBuffer();
    ~kaD3DIndexBuffer();

    uint32_t mCursor;
    IDirect3DIndexBuffer8* mBuffer;
    uint16_t* mData;
};
