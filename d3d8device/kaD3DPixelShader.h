#pragma once

#include <d3d8.h>

#include "kaPixelShader.h"

// A platform pixel shader, deleted through the device that created it.
class kaD3DPixelShader final : public kaPixelShader {
public:
    kaD3DPixelShader(IDirect3DDevice8* device, DWORD handle);

    int Release() override;
    DWORD getHandle() const { return mHandle; }

private:
    ~kaD3DPixelShader();

    IDirect3DDevice8* mDevice;
    DWORD mHandle;
};
