#pragma once

#include <d3d8.h>

#include <cstdint>

#include "kaWritableVertexBuffer.h"

// A platform vertex buffer; the writers store straight into its locked
// memory.  Once the device is released Lock answers 3.
class kaD3DVertexBuffer final : public kaWritableVertexBuffer {
public:
    // Makes a buffer for vertexCount vertices in the platform's default pool.
    // Returns 2 for a size that does not fit 32 bits, 4 when the object
    // cannot be allocated, 1 when the platform refuses; *out is set only on success.
    static int Create(IDirect3DDevice8* device, unsigned vertexFormat, unsigned vertexCount,
                      unsigned usage, kaD3DVertexBuffer** out);

    int Release() override;
    int Lock(unsigned firstVertex, unsigned vertexCount, unsigned lockFlags) override;
    int Unlock() override;

    IDirect3DVertexBuffer8* getPlatformBuffer() const { return mBuffer; }

private:
    kaD3DVertexBuffer(const kaVertexLayout& layout, uint32_t vertexFormat, unsigned vertexCount);
    ~kaD3DVertexBuffer();

    IDirect3DVertexBuffer8* mBuffer;
};
