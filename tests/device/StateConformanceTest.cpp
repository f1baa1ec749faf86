#include "kaConformanceTest.h"
#include "kaDeviceNumbers.h"
#include "kaDeviceState.h"
#include "kaResult.h"

// The state cache as the player sees it: defaults, the filler, the stack.
namespace {

constexpr unsigned kWrap0 = 128;  // a render state that no default sets

class StateTest : public kaConformanceTest {
protected:
    unsigned RenderState(unsigned state) {
        unsigned value = 0;
        EXPECT_EQ(mDevice->getRenderState(state, &value), KA_OK);
        return value;
    }
};

TEST_F(StateTest, ViewportStartsAsTheTargetsAndStatesNeverSetHoldTheFiller) {
    kaViewport viewport{};
    EXPECT_EQ(mDevice->getViewport(&viewport), KA_OK);
    EXPECT_EQ(viewport.width, kWidth);
    EXPECT_EQ(viewport.height, kHeight);
    EXPECT_EQ(RenderState(kWrap0), 0xEFEFEFEFu);
    EXPECT_EQ(RenderState(KA_RS_ZFUNC), static_cast<unsigned>(KA_CMP_LESSEQUAL));
    EXPECT_EQ(RenderState(KA_RS_POINTSIZE_MAX), FloatBits(64.0f));
    unsigned stageValue = 0;
    EXPECT_EQ(mDevice->getTextureState(3, KA_TSS_COLOROP, &stageValue), KA_OK);
    EXPECT_EQ(stageValue, static_cast<unsigned>(KA_TOP_DISABLE));
    EXPECT_EQ(mDevice->getTextureState(0, KA_TSS_COLOROP, &stageValue), KA_OK);
    EXPECT_EQ(stageValue, static_cast<unsigned>(KA_TOP_MODULATE));
    kaBaseTexture* texture = reinterpret_cast<kaBaseTexture*>(1);
    EXPECT_EQ(mDevice->getTexture(2, &texture), KA_OK);
    EXPECT_EQ(texture, nullptr);
}

TEST_F(StateTest, SeventeenthPushIsRefusedAndTheFirstSixteenStay) {
    for (unsigned i = 0; i < 16; ++i) {
        ASSERT_EQ(mDevice->setRenderState(KA_RS_AMBIENT, i), KA_OK);
        ASSERT_EQ(mDevice->PushState(0x10), KA_OK) << "push " << i;
    }
    ASSERT_EQ(mDevice->setRenderState(KA_RS_AMBIENT, 99), KA_OK);
    EXPECT_EQ(mDevice->PushState(0x10), KA_ERR_OUTOFMEMORY);
    EXPECT_EQ(mDevice->PopState(), KA_OK);
    EXPECT_EQ(RenderState(KA_RS_AMBIENT), 15u);
    for (unsigned i = 0; i < 15; ++i) ASSERT_EQ(mDevice->PopState(), KA_OK);
    EXPECT_EQ(RenderState(KA_RS_AMBIENT), 0u);
    EXPECT_EQ(mDevice->PopState(), KA_ERR_WRONGSTATE);
}

TEST_F(StateTest, PopsAndResetsRestoreTheChosenSectionsOnly) {
    ASSERT_EQ(mDevice->PushState(KA_STATE_RENDERSTATES | KA_STATE_LIGHTS), KA_OK);
    mDevice->setRenderState(KA_RS_CULLMODE, KA_CULL_NONE);
    mDevice->setTextureState(0, KA_TSS_COLOROP, KA_TOP_ADD);
    kaLight changed;
    changed.type = KA_LIGHT_POINT;
    changed.range = 20.0f;
    ASSERT_EQ(mDevice->setLight(0, &changed), KA_OK);
    ASSERT_EQ(mDevice->setLight(3, &changed), KA_OK);
    ASSERT_EQ(mDevice->setRenderState(KA_RS_LIGHTENABLE0 + 2, 1), KA_OK);
    ASSERT_EQ(mDevice->PopState(), KA_OK);
    EXPECT_EQ(RenderState(KA_RS_CULLMODE), unsigned(KA_CULL_CCW));
    unsigned colorOp = 0;
    mDevice->getTextureState(0, KA_TSS_COLOROP, &colorOp);
    EXPECT_EQ(colorOp, unsigned(KA_TOP_ADD)) << "texture-stage states were not pushed";
    kaLight light;
    mDevice->getLight(0, &light);
    EXPECT_EQ(light.type, unsigned(KA_LIGHT_DIRECTIONAL)) << "light 0 comes back";
    mDevice->getLight(3, &light);
    EXPECT_EQ(light.range, 20.0f) << "light 3 is not part of a restore";
    EXPECT_EQ(RenderState(KA_RS_LIGHTENABLE0 + 2), 0u);

    mDevice->setRenderState(kWrap0, 1);
    mDevice->setRenderState(KA_RS_LIGHTING, 0);
    kaMaterial material{};
    mDevice->setMaterial(&material);
    ASSERT_EQ(mDevice->ResetState(KA_STATE_RENDERSTATES), KA_OK);
    EXPECT_EQ(RenderState(KA_RS_LIGHTING), 1u);
    EXPECT_EQ(RenderState(kWrap0), 1u) << "only the 47 default render states";
    mDevice->getTextureState(0, KA_TSS_COLOROP, &colorOp);
    EXPECT_EQ(colorOp, unsigned(KA_TOP_ADD));
    ASSERT_EQ(mDevice->ResetState(KA_STATE_ALL), KA_OK);
    mDevice->getTextureState(0, KA_TSS_COLOROP, &colorOp);
    EXPECT_EQ(colorOp, unsigned(KA_TOP_MODULATE));
    mDevice->getMaterial(&material);
    EXPECT_FLOAT_EQ(material.diffuse.r, 0.8f);
}

}  // namespace
