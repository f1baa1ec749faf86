#pragma once

#include "kaRenderApi.h"

// A device buffer of 16-bit indices, filled between Lock and Unlock.
class KA_RENDER_API kaIndexBuffer {
public:
    kaIndexBuffer();
    kaIndexBuffer(const kaIndexBuffer&);
    kaIndexBuffer& operator=(const kaIndexBuffer&);

    virtual int Release() = 0;
    virtual void AddIndex(unsigned short index) = 0;
    virtual void AddIndexArray(unsigned short* indices, unsigned count) = 0;
    virtual int Lock(unsigned firstIndex, unsigned indexCount, unsigned lockFlags) = 0;
    virtual int Unlock() = 0;

protected:
    ~kaIndexBuffer();  // destroyed only through Release
};
