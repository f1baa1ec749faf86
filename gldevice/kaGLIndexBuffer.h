#pragma once

#include <vector>

#include "kaGLFunctions.h"
#include "kaWritableIndexBuffer.h"

// A GL buffer of 16-bit indices with a copy in memory: Lock hands out that
// copy to the writers and Unlock sends the locked indices to GL.
class kaGLIndexBuffer final : public kaWritableIndexBuffer {
public:
    // 2 for a size that does not fit 32 bits, 4 without memory, 1 when GL
    // refuses (also for no indices); *out is set only on success.
    static int Create(const kaGLFunctions& gl, unsigned indexCount, kaGLIndexBuffer** out);

    int Release() override;
    int Lock(unsigned firstIndex, unsigned indexCount, unsigned lockFlags) override;
    int Unlock() override;

    GLuint getName() const { return mName; }

private:
    kaGLIndexBuffer(const kaGLFunctions& gl, unsigned indexCount);
    ~kaGLIndexBuffer();

    const kaGLFunctions& mGL;
    unsigned mIndexCount;
    std::vector<unsigned char> mMemory;
    GLuint mName;
    unsigned mLockedFirst, mLockedCount;
};
