#pragma once

#include <d3d8.h>

#include "kaLinkedResource.h"
#include "kaPixelShader.h"

// A platform pixel shader, deleted through the device that created it; a
// shader released after that device went with it.
class kaD3DPixelShader final : public kaPixelShader, public kaLinkedResource {
public:
    kaD3DPixelShader(IDirect3DDevice8* device, DWORD handle);

    int Release() override;
    DWORD getHandle() const { return mHandle; }

private:
    ~kaD3DPixelShader();

    IDirect3DDevice8* mDevice;
    DWORD mHandle;
};
