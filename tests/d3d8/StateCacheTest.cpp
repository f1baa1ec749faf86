#include <string>
#include <vector>

#include "kaD3DDeviceTest.h"
#include "kaResult.h"

namespace {

using C = kaCountingDevice8;

// The render states the default state sets, in the order a restore applies them.
const unsigned kDefaultStates[47] = {7,   14,  23,  47,  8,   9,   40,  10,  22,  27,  171, 19,
                                     20,  15,  24,  25,  137, 26,  29,  143, 139, 168, 28,  48,
                                     52,  53,  54,  55,  56,  57,  58,  59,  60,  141, 142, 153,
                                     154, 155, 166, 157, 158, 159, 160, 156, 161, 151, 167};

// The texture-stage states a restore applies to each stage, in its order.
const unsigned kStageStates[21] = {18, 17, 16, 1, 2, 3, 4, 5, 6, 26, 27, 28, 11, 13, 14, 25, 15, 19, 20, 21, 24};

class StateCacheTest : public kaD3DDeviceTest {
protected:
    void SetUp() override {
        kaD3DDeviceTest::SetUp();
        Counting().Reset();
    }

    unsigned RenderState(unsigned state) {
        unsigned value = 0;
        EXPECT_EQ(mDevice->getRenderState(state, &value), KA_OK);
        return value;
    }

    DWORD PlatformRenderState(D3DRENDERSTATETYPE state) {
        DWORD value = 0;
        Real()->GetRenderState(state, &value);
        return value;
    }
};

TEST_F(StateCacheTest, RepeatedComparedSettersMakeNoPlatformCall) {
    EXPECT_EQ(mDevice->setRenderState(D3DRS_ALPHABLENDENABLE, 1), KA_OK);
    EXPECT_EQ(mDevice->setRenderState(D3DRS_ALPHABLENDENABLE, 1), KA_OK);
    EXPECT_EQ(Counting().getCount(C::M_SetRenderState), 1u);

    EXPECT_EQ(mDevice->setTextureState(1, D3DTSS_COLOROP, D3DTOP_ADD), KA_OK);
    EXPECT_EQ(mDevice->setTextureState(1, D3DTSS_COLOROP, D3DTOP_ADD), KA_OK);
    EXPECT_EQ(Counting().getCount(C::M_SetTextureStageState), 1u);

    EXPECT_EQ(mDevice->setVertexFormat(D3DFVF_XYZ | D3DFVF_DIFFUSE), KA_OK);
    EXPECT_EQ(mDevice->setVertexFormat(D3DFVF_XYZ | D3DFVF_DIFFUSE), KA_OK);
    EXPECT_EQ(Counting().getCount(C::M_SetVertexShader), 1u);

    EXPECT_EQ(mDevice->setTexture(0, nullptr), KA_OK) << "no texture is bound at the start";
    EXPECT_EQ(Counting().getCount(C::M_SetTexture), 0u);

    // Default values are already cached after initialisation.
    EXPECT_EQ(mDevice->setRenderState(D3DRS_CULLMODE, D3DCULL_CCW), KA_OK);
    EXPECT_EQ(Counting().getCount(C::M_SetRenderState), 1u);
}

TEST_F(StateCacheTest, UncachedSettersAlwaysReachThePlatform) {
    kaMaterial material{};
    EXPECT_EQ(mDevice->setMaterial(&material), KA_OK);
    EXPECT_EQ(mDevice->setMaterial(&material), KA_OK);
    EXPECT_EQ(mDevice->setPixelShader(nullptr), KA_OK);
    EXPECT_EQ(mDevice->setPixelShader(nullptr), KA_OK);
    kaViewport viewport{8, 8, 64, 32};
    EXPECT_EQ(mDevice->setViewport(&viewport), KA_OK);
    EXPECT_EQ(mDevice->setViewport(&viewport), KA_OK);
    EXPECT_EQ(Counting().getCount(C::M_SetMaterial), 2u);
    EXPECT_EQ(Counting().getCount(C::M_SetPixelShader), 2u);
    EXPECT_EQ(Counting().getCount(C::M_SetViewport), 2u);
    kaViewport cached{};
    EXPECT_EQ(mDevice->getViewport(&cached), KA_OK);
    EXPECT_EQ(cached.width, 64u);
    D3DVIEWPORT8 platform;
    Real()->GetViewport(&platform);
    EXPECT_EQ(platform.Height, 32u);
    EXPECT_EQ(platform.MaxZ, 1.0f);
}

TEST_F(StateCacheTest, LightEnablesAreRenderStatesAboveTheCachedRange) {
    EXPECT_EQ(mDevice->setRenderState(0x80000008u, 1), KA_ERR_INVALIDARG);
    unsigned value = 0;
    EXPECT_EQ(mDevice->getRenderState(0x80000008u, &value), KA_ERR_INVALIDARG);
    EXPECT_EQ(mDevice->setRenderState(256, 1), KA_ERR_INVALIDARG);
    EXPECT_EQ(Counting().getTotal(), 0u);

    EXPECT_EQ(RenderState(0x80000000u), 1u) << "light 0 is on by default";
    EXPECT_EQ(mDevice->setRenderState(0x80000003u, 1), KA_OK);
    EXPECT_EQ(RenderState(0x80000003u), 1u);
    const auto enables = Counting().CallsOf(C::M_LightEnable);
    ASSERT_EQ(enables.size(), 1u);
    EXPECT_EQ(enables[0].first, 3u);
    EXPECT_EQ(enables[0].second, 1u);
    BOOL enabled = FALSE;
    Real()->GetLightEnable(3, &enabled);
    EXPECT_TRUE(enabled);
}

TEST_F(StateCacheTest, OutOfRangeArgumentsAreRefused) {
    EXPECT_EQ(mDevice->setTextureState(8, D3DTSS_COLOROP, 1), KA_ERR_INVALIDARG);
    EXPECT_EQ(mDevice->setTextureState(0, 128, 1), KA_ERR_INVALIDARG);
    EXPECT_EQ(mDevice->setTexture(8, nullptr), KA_ERR_INVALIDARG);
    kaLight light;
    EXPECT_EQ(mDevice->setLight(8, &light), KA_ERR_INVALIDARG);
    EXPECT_EQ(mDevice->setLight(0, nullptr), KA_ERR_INVALIDARG);
    EXPECT_EQ(mDevice->setVertexBuffer(nullptr), KA_ERR_INVALIDARG);
    EXPECT_EQ(mDevice->setIndexBuffer(nullptr), KA_ERR_INVALIDARG);
    EXPECT_EQ(mDevice->setFog(nullptr), KA_ERR_INVALIDARG);
    EXPECT_EQ(Counting().getTotal(), 0u);
}

TEST_F(StateCacheTest, SetFogWritesThePlatformUncomparedAndKeepsTheCacheTrue) {
    EXPECT_EQ(mDevice->setRenderState(D3DRS_FOGSTART, FloatBits(0.5f)), KA_OK);
    Counting().Reset();
    kaFog fog{D3DFOG_LINEAR, 1.0f, 0.5f, 0.0f, 0.25f, 0.75f, 2.0f};
    EXPECT_EQ(mDevice->setFog(&fog), KA_OK);
    const auto calls = Counting().CallsOf(C::M_SetRenderState);
    ASSERT_EQ(calls.size(), 5u);
    EXPECT_EQ(calls[0].first, static_cast<DWORD>(D3DRS_FOGTABLEMODE));
    EXPECT_EQ(calls[0].second, 0u);
    EXPECT_EQ(calls[1].first, static_cast<DWORD>(D3DRS_FOGVERTEXMODE));
    EXPECT_EQ(calls[1].second, static_cast<DWORD>(D3DFOG_LINEAR));
    EXPECT_EQ(calls[2].first, static_cast<DWORD>(D3DRS_FOGSTART));
    EXPECT_EQ(calls[3].second, FloatBits(0.75f));
    EXPECT_EQ(calls[4].first, static_cast<DWORD>(D3DRS_FOGCOLOR));
    EXPECT_EQ(calls[4].second, 0x00FF7F00u) << "red, green, blue at 255 scale, alpha 0";

    // The cache holds what the platform holds: the same value again is
    // redundant, the old one reaches the platform.
    EXPECT_EQ(RenderState(D3DRS_FOGSTART), FloatBits(0.25f));
    EXPECT_EQ(PlatformRenderState(D3DRS_FOGSTART), FloatBits(0.25f));
    Counting().Reset();
    EXPECT_EQ(mDevice->setRenderState(D3DRS_FOGSTART, FloatBits(0.25f)), KA_OK);
    EXPECT_EQ(Counting().getTotal(), 0u);
    EXPECT_EQ(mDevice->setRenderState(D3DRS_FOGSTART, FloatBits(0.5f)), KA_OK);
    EXPECT_EQ(PlatformRenderState(D3DRS_FOGSTART), FloatBits(0.5f));
    kaFog cached{};
    EXPECT_EQ(mDevice->getFog(&cached), KA_OK);
    EXPECT_EQ(cached.end, 0.75f);
}

TEST_F(StateCacheTest, PerPixelExponentialFogSetsTableModeAndDensity) {
    kaFog fog{128 + D3DFOG_EXP, 0.0f, 0.0f, 1.0f, 0.0f, 1.0f, 0.125f};
    EXPECT_EQ(mDevice->setFog(&fog), KA_OK);
    const auto calls = Counting().CallsOf(C::M_SetRenderState);
    ASSERT_EQ(calls.size(), 4u);
    EXPECT_EQ(calls[0].first, static_cast<DWORD>(D3DRS_FOGVERTEXMODE));
    EXPECT_EQ(calls[0].second, 0u);
    EXPECT_EQ(calls[1].first, static_cast<DWORD>(D3DRS_FOGTABLEMODE));
    EXPECT_EQ(calls[1].second, static_cast<DWORD>(D3DFOG_EXP));
    EXPECT_EQ(calls[2].first, static_cast<DWORD>(D3DRS_FOGDENSITY));
    EXPECT_EQ(calls[2].second, FloatBits(0.125f));
    EXPECT_EQ(calls[3].second, 0x000000FFu);
}

TEST_F(StateCacheTest, ResetOfRenderStatesReappliesExactlyTheDefaultTable) {
    // Move every default render state away from its default, and one state
    // outside the table too.
    for (unsigned state : kDefaultStates) {
        ASSERT_EQ(mDevice->setRenderState(state, RenderState(state) ^ 1u), KA_OK) << state;
    }
    ASSERT_EQ(mDevice->setRenderState(D3DRS_WRAP0, 1), KA_OK);
    ASSERT_EQ(mDevice->setTextureState(0, D3DTSS_COLOROP, D3DTOP_ADD), KA_OK);
    Counting().Reset();

    EXPECT_EQ(mDevice->ResetState(0x10), KA_OK);
    const auto calls = Counting().CallsOf(C::M_SetRenderState);
    ASSERT_EQ(calls.size(), 47u);
    for (unsigned i = 0; i < 47; ++i) {
        EXPECT_EQ(calls[i].first, kDefaultStates[i]) << "position " << i;
        EXPECT_EQ(calls[i].second, RenderState(kDefaultStates[i]));
    }
    EXPECT_EQ(Counting().getTotal(), 47u) << "nothing but the render states";
    EXPECT_EQ(RenderState(D3DRS_WRAP0), 1u);
    EXPECT_EQ(RenderState(D3DRS_LIGHTING), 1u);
    EXPECT_EQ(RenderState(D3DRS_STENCILMASK), 0xFFFFFFFFu);

    // All six sections: the texture-stage state comes back, and fog,
    // material, light 0 and the eleven transforms are sent again.
    Counting().Reset();
    EXPECT_EQ(mDevice->ResetState(0x3F), KA_OK);
    EXPECT_EQ(Counting().getCount(C::M_SetTextureStageState), 1u);
    EXPECT_EQ(Counting().getCount(C::M_SetRenderState), 5u) << "the fog writes only";
    EXPECT_EQ(Counting().getCount(C::M_SetMaterial), 1u);
    EXPECT_EQ(Counting().getCount(C::M_SetLight), 1u);
    EXPECT_EQ(Counting().getCount(C::M_LightEnable), 0u);
    EXPECT_EQ(Counting().getCount(C::M_SetTransform), 11u);
    kaMaterial material{};
    mDevice->getMaterial(&material);
    EXPECT_FLOAT_EQ(material.diffuse.r, 0.8f);
}

// A full restore goes section by section: the stage states stage by stage,
// the render states, fog, material, light 0 and the enables, and the
// transforms.  Every value is moved first, so each one reaches the platform.
TEST_F(StateCacheTest, AFullRestoreAppliesSectionsStagesAndTransformsInOrder) {
    for (unsigned stage = 0; stage < 8; ++stage) {
        for (unsigned state : kStageStates) {
            unsigned value = 0;
            ASSERT_EQ(mDevice->getTextureState(stage, state, &value), KA_OK);
            ASSERT_EQ(mDevice->setTextureState(stage, state, value ^ 1), KA_OK);
        }
    }
    for (unsigned state : kDefaultStates) {
        ASSERT_EQ(mDevice->setRenderState(state, RenderState(state) ^ 1), KA_OK);
    }
    ASSERT_EQ(mDevice->setRenderState(0x80000003u, 1), KA_OK);
    Counting().Reset();

    ASSERT_EQ(mDevice->ResetState(0x3F), KA_OK);
    std::vector<std::string> expected;
    for (unsigned stage = 0; stage < 8; ++stage) {
        for (unsigned state : kStageStates) {
            expected.push_back("stage " + std::to_string(stage) + " state " + std::to_string(state));
        }
    }
    for (unsigned state : kDefaultStates) expected.push_back("render state " + std::to_string(state));
    for (unsigned fog : {35, 140, 36, 37, 34}) expected.push_back("render state " + std::to_string(fog));
    expected.insert(expected.end(), {"material", "light 0", "enable light 3"});
    for (unsigned transform : {3, 2, 256, 16, 17, 18, 19, 20, 21, 22, 23}) {
        expected.push_back("transform " + std::to_string(transform));
    }
    std::vector<std::string> applied;
    for (const C::Call& call : Counting().getCalls()) {
        switch (call.method) {
        case C::M_SetTextureStageState:
            applied.push_back("stage " + std::to_string(call.first) + " state " + std::to_string(call.second));
            break;
        case C::M_SetRenderState: applied.push_back("render state " + std::to_string(call.first)); break;
        case C::M_SetMaterial: applied.push_back("material"); break;
        case C::M_SetLight: applied.push_back("light " + std::to_string(call.first)); break;
        case C::M_LightEnable: applied.push_back("enable light " + std::to_string(call.first)); break;
        case C::M_SetTransform: applied.push_back("transform " + std::to_string(call.first)); break;
        default: applied.push_back("other"); break;
        }
    }
    EXPECT_EQ(applied, expected);
    unsigned value = 0;
    mDevice->getTextureState(5, D3DTSS_TEXCOORDINDEX, &value);
    EXPECT_EQ(value, 0u);
}

TEST_F(StateCacheTest, PopOfRenderStatesLeavesTextureStatesAlone) {
    ASSERT_EQ(mDevice->PushState(0x10), KA_OK);
    mDevice->setRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
    mDevice->setRenderState(D3DRS_ALPHAREF, 0x80);
    mDevice->setTextureState(0, D3DTSS_COLOROP, D3DTOP_ADD);
    Counting().Reset();
    EXPECT_EQ(mDevice->PopState(), KA_OK);
    EXPECT_EQ(RenderState(D3DRS_CULLMODE), static_cast<unsigned>(D3DCULL_CCW));
    EXPECT_EQ(RenderState(D3DRS_ALPHAREF), 0u);
    EXPECT_EQ(PlatformRenderState(D3DRS_CULLMODE), static_cast<DWORD>(D3DCULL_CCW));
    EXPECT_EQ(Counting().getCount(C::M_SetRenderState), 2u) << "only the two that differ";
    EXPECT_EQ(Counting().getCount(C::M_SetTextureStageState), 0u);
    unsigned colorOp = 0;
    mDevice->getTextureState(0, D3DTSS_COLOROP, &colorOp);
    EXPECT_EQ(colorOp, static_cast<unsigned>(D3DTOP_ADD));
}

TEST_F(StateCacheTest, PopOfLightsRestoresLightZeroAndTheEnablesOnly) {
    kaLight light3;
    light3.type = D3DLIGHT_POINT;
    light3.range = 10.0f;
    ASSERT_EQ(mDevice->setLight(3, &light3), KA_OK);
    ASSERT_EQ(mDevice->PushState(0x02), KA_OK);
    kaLight changed = light3;
    changed.range = 20.0f;
    ASSERT_EQ(mDevice->setLight(3, &changed), KA_OK);
    kaLight changed0;
    changed0.type = D3DLIGHT_POINT;
    ASSERT_EQ(mDevice->setLight(0, &changed0), KA_OK);
    ASSERT_EQ(mDevice->setRenderState(0x80000002u, 1), KA_OK);
    Counting().Reset();

    EXPECT_EQ(mDevice->PopState(), KA_OK);
    const auto lights = Counting().CallsOf(C::M_SetLight);
    ASSERT_EQ(lights.size(), 1u);
    EXPECT_EQ(lights[0].first, 0u);
    const auto enables = Counting().CallsOf(C::M_LightEnable);
    ASSERT_EQ(enables.size(), 1u);
    EXPECT_EQ(enables[0].first, 2u);
    EXPECT_EQ(enables[0].second, 0u);
    kaLight cached;
    mDevice->getLight(0, &cached);
    EXPECT_EQ(cached.type, static_cast<uint32_t>(D3DLIGHT_DIRECTIONAL));
    EXPECT_EQ(cached.direction.z, 1.0f);
    mDevice->getLight(3, &cached);
    EXPECT_EQ(cached.range, 20.0f) << "light 3 is not part of a restore";
}

TEST_F(StateCacheTest, EndRenderForgetsTheStreams) {
    kaVertexBuffer* buffer = nullptr;
    ASSERT_EQ(mDevice->CreateVertexBuffer(&buffer, D3DFVF_XYZ, 3, 0), KA_OK);
    ASSERT_EQ(mDevice->setVertexBuffer(buffer), KA_OK);
    ASSERT_EQ(mDevice->setVertexBuffer(buffer), KA_OK);
    EXPECT_EQ(Counting().getCount(C::M_SetStreamSource), 1u);
    mDevice->BeginRender();
    mDevice->EndRender();
    ASSERT_EQ(mDevice->setVertexBuffer(buffer), KA_OK);
    EXPECT_EQ(Counting().getCount(C::M_SetStreamSource), 2u);
    buffer->Release();
}

}  // namespace
