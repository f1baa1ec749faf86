#include "kaGLPixelShader.h"

#include "kaGLPrograms.h"
#include "kaResult.h"

kaGLPixelShader::kaGLPixelShader(kaGLPrograms* programs, uint32_t serial)
    : mPrograms(programs), mSerial(serial) {}

kaGLPixelShader::~kaGLPixelShader() = default;

int kaGLPixelShader::Release() {
    LeaveDevice(this);
    if (!DeviceReleased()) mPrograms->Forget(mSerial);
    delete this;
    return KA_OK;
}
