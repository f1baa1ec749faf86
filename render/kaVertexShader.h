#pragma once

#include "kaRenderApi.h"

// A vertex shader assembled by the device; destroyed by its Release.
class KA_RENDER_API kaVertexShader {
public:
    kaVertexShader();
    kaVertexShader(const kaVertexShader&);
    kaVertexShader& operator=(const kaVertexShader&);

    virtual int Release() = 0;

protected:
    ~kaVertexShader();
};
