#pragma once

#include <cstdint>

#include "kaLinkedResource.h"
#include "kaPixelShader.h"

class kaGLPrograms;

// A pixel shader of the OpenGL device: its token stream lives in the
// device's program cache under the shader's serial and is translated once for
// each combination of texture kinds bound to the stages it samples.
class kaGLPixelShader final : public kaPixelShader, public kaLinkedResource {
public:
    kaGLPixelShader(kaGLPrograms* programs, uint32_t serial);

    int Release() override;
    uint32_t getSerial() const { return mSerial; }

private:
    ~kaGLPixelShader();

    kaGLPrograms* mPrograms;
    uint32_t mSerial;
};
