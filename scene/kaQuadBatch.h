#pragma once

#include <cstdint>

class kaList;
class kaVertexBuffer;
class kaIndexBuffer;

// The buffers shared by the overlay and the sprite batch: four vertices of
// format 0x142 (position, diffuse, one 2-float texture set) per quad, and a
// 16-bit index buffer holding two triangles per quad, written once.  The
// device is gDevice.
class kaQuadBatch {
public:
    static constexpr unsigned kVertexFormat = 0x142;
    // Quads whose vertices 16-bit indices can reach.
    static constexpr unsigned kMaxCapacity = 0x10000 / 4;

    kaQuadBatch();
    ~kaQuadBatch();
    kaQuadBatch(const kaQuadBatch&) = delete;
    kaQuadBatch& operator=(const kaQuadBatch&) = delete;

    // 0, or 1 when a buffer cannot be created (or the capacity is 0 or
    // above kMaxCapacity).
    int Init(unsigned quadCapacity);
    // Releases both buffers; the capacity becomes 0.
    void Release();

    uint32_t capacity;
    kaVertexBuffer* vertexBuffer;
    kaIndexBuffer* indexBuffer;

protected:
    bool isReady() const { return vertexBuffer != nullptr && indexBuffer != nullptr; }
    // The records of the list that fit the buffer: the first `capacity`.
    unsigned DrawableCount(const kaList& list) const;
    void WriteVertex(float x, float y, float z, uint32_t colour, float u, float v);
    // Index buffer, vertex buffer and its format on the device.
    void Bind() const;

private:
    void FillIndices();
};
