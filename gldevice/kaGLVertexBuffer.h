#pragma once

#include <vector>

#include "kaGLFunctions.h"
#include "kaWritableVertexBuffer.h"

// A GL vertex buffer with a copy in memory: Lock hands out that copy to the
// writers and Unlock sends the locked vertices to GL.  Packed colours are
// stored A8R8G8B8 (bytes B, G, R, A) as in every device's buffers; GL gets
// them as R, G, B, A so that a normalised byte attribute reads them right.
// Once the device is released (and its context with it) Lock and Unlock
// answer 3, and Release frees only the memory copy.
class kaGLVertexBuffer final : public kaWritableVertexBuffer {
public:
    // 2 for a size that does not fit 32 bits, 4 without memory, 1 when GL
    // refuses (also for no vertices); *out is set only on success.
    static int Create(const kaGLFunctions& gl, unsigned vertexFormat, unsigned vertexCount,
                      kaGLVertexBuffer** out);

    int Release() override;
    int Lock(unsigned firstVertex, unsigned vertexCount, unsigned lockFlags) override;
    int Unlock() override;

    GLuint getName() const { return mName; }
    const kaVertexLayout& getLayout() const { return mLayout; }

private:
    kaGLVertexBuffer(const kaGLFunctions& gl, const kaVertexLayout& layout, uint32_t format,
                     unsigned vertexCount);
    ~kaGLVertexBuffer();

    const kaGLFunctions& mGL;
    kaVertexLayout mLayout;
    std::vector<unsigned char> mMemory;
    std::vector<unsigned char> mStaging;
    GLuint mName;
    unsigned mLockedFirst, mLockedCount;
};
