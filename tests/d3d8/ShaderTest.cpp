#include <cstring>
#include <vector>

#include "kaD3DDeviceTest.h"
#include "kaD3DVertexShader.h"
#include "kaResult.h"

namespace {

using C = kaCountingDevice8;

const char kColourShader[] =
    "vs.1.1\n"
    "def c4, 1.0, 0.5, 0.25, 0.0\n"
    "dp4 oPos.x, v0, c0\n"
    "dp4 oPos.y, v0, c1\n"
    "dp4 oPos.z, v0, c2\n"
    "dp4 oPos.w, v0, c3\n"
    "mov oD0, v5\n";

const char kBumpShader[] =
    "vs.1.1\n"
    "dp4 oPos.x, v0, c0\n"
    "dp4 oPos.y, v0, c1\n"
    "dp4 oPos.z, v0, c2\n"
    "dp4 oPos.w, v0, c3\n"
    "mov oT0, v7\n"
    "mov oT1, v8\n"
    "mov oT2, v9\n"
    "mov oT3, v10\n";

class ShaderTest : public kaD3DDeviceTest {
protected:
    kaVertexShader* MakeVertexShader(unsigned format, const char* source) {
        kaVertexShader* shader = nullptr;
        EXPECT_EQ(mDevice->CreateVertexShader(&shader, format, const_cast<char*>(source),
                                              static_cast<unsigned>(std::strlen(source))),
                  KA_OK);
        return shader;
    }

    std::vector<DWORD> PlatformDeclaration(kaVertexShader* shader) {
        const DWORD handle = static_cast<kaD3DVertexShader*>(shader)->getHandle();
        DWORD size = 0;
        Real()->GetVertexShaderDeclaration(handle, nullptr, &size);
        std::vector<DWORD> declaration(size / sizeof(DWORD));
        Real()->GetVertexShaderDeclaration(handle, declaration.data(), &size);
        return declaration;
    }
};

TEST_F(ShaderTest, ColouredTexturedFormatDeclaresItsInputsThenTheConstants) {
    kaVertexShader* shader = MakeVertexShader(0x142, kColourShader);
    ASSERT_NE(shader, nullptr);
    const std::vector<DWORD> expected = {
        D3DVSD_STREAM(0),
        D3DVSD_REG(0, D3DVSDT_FLOAT3),
        D3DVSD_REG(5, D3DVSDT_D3DCOLOR),
        D3DVSD_REG(7, D3DVSDT_FLOAT2),
        D3DVSD_CONST(4, 1),
        FloatBits(1.0f),
        FloatBits(0.5f),
        FloatBits(0.25f),
        FloatBits(0.0f),
        D3DVSD_END()};
    EXPECT_EQ(PlatformDeclaration(shader), expected);
    Counting().Reset();
    EXPECT_EQ(shader->Release(), KA_OK);
    EXPECT_EQ(Counting().getCount(C::M_DeleteVertexShader), 1u);
}

TEST_F(ShaderTest, BumpMappedFormatBindsFourTextureSets) {
    kaVertexShader* shader = MakeVertexShader(0x540402, kBumpShader);
    ASSERT_NE(shader, nullptr);
    const std::vector<DWORD> expected = {
        D3DVSD_STREAM(0),         D3DVSD_REG(0, D3DVSDT_FLOAT3), D3DVSD_REG(7, D3DVSDT_FLOAT2),
        D3DVSD_REG(8, D3DVSDT_FLOAT3), D3DVSD_REG(9, D3DVSDT_FLOAT3), D3DVSD_REG(10, D3DVSDT_FLOAT3),
        D3DVSD_END()};
    EXPECT_EQ(PlatformDeclaration(shader), expected);
    ASSERT_EQ(mDevice->setVertexShader(shader), KA_OK);
    ASSERT_EQ(mDevice->setVertexShader(shader), KA_OK);
    EXPECT_EQ(Counting().getCount(C::M_SetVertexShader), 1u);
    ASSERT_EQ(mDevice->setVertexShader(nullptr), KA_OK);
    EXPECT_EQ(shader->Release(), KA_OK);
}

TEST(VertexDeclarationTest, ComponentsFollowTheVertexLayout) {
    // Point size lies before the colours in the vertex, blend weights and
    // matrix indices are stepped over so the later inputs stay in place.
    const unsigned format = D3DFVF_XYZB2 | D3DFVF_LASTBETA_UBYTE4 | D3DFVF_PSIZE |
                            D3DFVF_DIFFUSE | D3DFVF_SPECULAR | D3DFVF_TEX1 |
                            D3DFVF_TEXCOORDSIZE4(0);
    const std::vector<DWORD> expected = {
        D3DVSD_STREAM(0),  D3DVSD_REG(0, D3DVSDT_FLOAT3),   D3DVSD_SKIP(1), D3DVSD_SKIP(1),
        D3DVSD_REG(4, D3DVSDT_FLOAT1), D3DVSD_REG(5, D3DVSDT_D3DCOLOR),
        D3DVSD_REG(6, D3DVSDT_D3DCOLOR), D3DVSD_REG(7, D3DVSDT_FLOAT4), D3DVSD_END()};
    EXPECT_EQ(kaD3DVertexShader::BuildDeclaration(format, nullptr, 0), expected);
    const std::vector<DWORD> transformed = {D3DVSD_STREAM(0), D3DVSD_REG(0, D3DVSDT_FLOAT4),
                                            D3DVSD_END()};
    EXPECT_EQ(kaD3DVertexShader::BuildDeclaration(D3DFVF_XYZRHW, nullptr, 0), transformed);
}

TEST_F(ShaderTest, SourceWithErrorsFailsAndHandsOutNothing) {
    const char broken[] = "vs.1.1\nfrobnicate r0, v0\n";
    kaVertexShader* shader = reinterpret_cast<kaVertexShader*>(1);
    EXPECT_EQ(mDevice->CreateVertexShader(&shader, 0x142, const_cast<char*>(broken),
                                          sizeof broken - 1),
              KA_ERR_PLATFORM);
    EXPECT_EQ(shader, reinterpret_cast<kaVertexShader*>(1));
    kaPixelShader* pixel = reinterpret_cast<kaPixelShader*>(1);
    EXPECT_EQ(mDevice->CreatePixelShader(&pixel, const_cast<char*>(broken), sizeof broken - 1),
              KA_ERR_PLATFORM);
    EXPECT_EQ(pixel, reinterpret_cast<kaPixelShader*>(1));
    EXPECT_EQ(Counting().getCount(C::M_CreateVertexShader), 0u);
    EXPECT_EQ(mDevice->CreateVertexShader(&shader, 0x142, nullptr, 10), KA_ERR_INVALIDARG);
}

TEST_F(ShaderTest, PixelShaderIsCreatedSetAndReleased) {
    kaPixelShader* shader = nullptr;
    ASSERT_EQ(mDevice->CreatePixelShader(&shader, const_cast<char*>(kTexturePixelShader),
                                         sizeof kTexturePixelShader - 1),
              KA_OK);
    ASSERT_NE(shader, nullptr);
    EXPECT_EQ(mDevice->setPixelShader(shader), KA_OK);
    float constants[8] = {1, 0, 0, 1, 0, 1, 0, 1};
    EXPECT_EQ(mDevice->setPixelShaderConstant(0, constants, 2), KA_OK);
    EXPECT_EQ(mDevice->setVertexShaderConstant(10, constants, 2), KA_OK);
    EXPECT_EQ(mDevice->setPixelShader(nullptr), KA_OK);
    Counting().Reset();
    EXPECT_EQ(shader->Release(), KA_OK);
    EXPECT_EQ(Counting().getCount(C::M_DeletePixelShader), 1u);
}

}  // namespace
