#pragma once

#include "kaGLFunctions.h"
#include "kaWritableIndexBuffer.h"

// A GL buffer of 16-bit indices with a copy in memory (the writers'): Unlock
// sends the locked indices to GL.  Once the device is released (and its
// context with it) Lock and Unlock answer 3.
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
    explicit kaGLIndexBuffer(const kaGLFunctions& gl);
    ~kaGLIndexBuffer();

    const kaGLFunctions& mGL;
    GLuint mName;
};
