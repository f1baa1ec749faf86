#include "kaD3DVertexShader.h"

#include "kaResult.h"
#include "kaVertexLayout.h"

namespace {

using L = kaVertexLayout;

enum InputRegister : DWORD {
    REG_POSITION = 0,
    REG_NORMAL = 3,
    REG_POINT_SIZE = 4,
    REG_DIFFUSE = 5,
    REG_SPECULAR = 6,
    REG_TEXCOORD0 = 7,
};

// Data type of a component of 4, 8, 12 or 16 float bytes (any size maps to
// some type; absent components are never bound).
DWORD FloatType(uint32_t bytes) {
    static const DWORD kTypes[4] = {D3DVSDT_FLOAT1, D3DVSDT_FLOAT2, D3DVSDT_FLOAT3,
                                    D3DVSDT_FLOAT4};
    return kTypes[(bytes / 4 + 3) & 3];
}

void Bind(std::vector<DWORD>& declaration, const L& layout, unsigned component, DWORD reg,
          DWORD type) {
    if (layout.size[component] != 0) declaration.push_back(D3DVSD_REG(reg, type));
}

void Skip(std::vector<DWORD>& declaration, const L& layout, unsigned component) {
    if (layout.size[component] != 0) declaration.push_back(D3DVSD_SKIP(layout.size[component] / 4));
}

}  // namespace

std::vector<DWORD> kaD3DVertexShader::BuildDeclaration(uint32_t vertexFormat,
                                                       const DWORD* constants,
                                                       size_t constantCount) {
    const L layout = L::FromFormat(vertexFormat);
    std::vector<DWORD> declaration{D3DVSD_STREAM(0)};
    Bind(declaration, layout, L::POSITION, REG_POSITION, FloatType(layout.size[L::POSITION]));
    Skip(declaration, layout, L::WEIGHTS);
    Skip(declaration, layout, L::MATRIX_INDICES);
    Bind(declaration, layout, L::NORMAL, REG_NORMAL, D3DVSDT_FLOAT3);
    Bind(declaration, layout, L::POINT_SIZE, REG_POINT_SIZE, D3DVSDT_FLOAT1);
    Bind(declaration, layout, L::DIFFUSE, REG_DIFFUSE, D3DVSDT_D3DCOLOR);
    Bind(declaration, layout, L::SPECULAR, REG_SPECULAR, D3DVSDT_D3DCOLOR);
    for (unsigned set = 0; set < 4; ++set) {
        const unsigned component = L::TEXCOORD0 + set;
        Bind(declaration, layout, component, REG_TEXCOORD0 + set,
             FloatType(layout.size[component]));
    }
    declaration.insert(declaration.end(), constants, constants + constantCount);
    declaration.push_back(D3DVSD_END());
    return declaration;
}

kaD3DVertexShader::kaD3DVertexShader(IDirect3DDevice8* device, DWORD handle)
    : mDevice(device), mHandle(handle) {}

kaD3DVertexShader::~kaD3DVertexShader() = default;

int kaD3DVertexShader::Release() {
    LeaveDevice(this);
    if (!DeviceReleased() && FAILED(mDevice->DeleteVertexShader(mHandle))) return KA_ERR_PLATFORM;
    delete this;
    return KA_OK;
}
