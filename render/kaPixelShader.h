#pragma once

#include "kaRenderApi.h"

// A pixel shader assembled by the device; destroyed by its Release.
class KA_RENDER_API kaPixelShader {
public:
    kaPixelShader();
    kaPixelShader(const kaPixelShader&);
    kaPixelShader& operator=(const kaPixelShader&);

    virtual int Release() = 0;

protected:
    ~kaPixelShader();
};
