#include "kaGLPixelShader.h"

#include "kaGLPrograms.h"
#include "kaResult.h"

kaGLPixelShader::kaGLPixelShader(kaGLPrograms* programs, uint32_t serial)
    : mPrograms(programs), mSerial(serial) {}

kaGLPixelShader::~kaGLPixelShader() = default;

int kaGLPixelShader::Release() {
    mPrograms->Forget(mSerial);
    delete this;
    return KA_OK;
}
