#include "kaD3DPixelShader.h"

#include "kaResult.h"

kaD3DPixelShader::kaD3DPixelShader(IDirect3DDevice8* device, DWORD handle)
    : mDevice(device), mHandle(handle) {}

kaD3DPixelShader::~kaD3DPixelShader() = default;

int kaD3DPixelShader::Release() {
    LeaveDevice(this);
    if (!DeviceReleased() && FAILED(mDevice->DeletePixelShader(mHandle))) return KA_ERR_PLATFORM;
    delete this;
    return KA_OK;
}
