#pragma once

#include <d3d8.h>

#include <cstdint>
#include <vector>

#include "kaLinkedResource.h"
#include "kaVertexShader.h"

// A platform vertex shader, deleted through the device that created it; a
// shader released after that device went with it.
class kaD3DVertexShader final : public kaVertexShader, public kaLinkedResource {
public:
    kaD3DVertexShader(IDirect3DDevice8* device, DWORD handle);

    int Release() override;
    DWORD getHandle() const { return mHandle; }

    // The input declaration for vertices of a format in stream 0: every
    // component with a register binding in the order the vertex lays them out
    // (position v0, normal v3, point size v4, diffuse v5, specular v6, texture
    // sets v7 to v10), blend weights and matrix indices skipped, then the
    // constant tokens, then the end mark.
    static std::vector<DWORD> BuildDeclaration(uint32_t vertexFormat, const DWORD* constants,
                                               size_t constantCount);

private:
    ~kaD3DVertexShader();

    IDirect3DDevice8* mDevice;
    DWORD mHandle;
};
