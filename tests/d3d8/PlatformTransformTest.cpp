#include "kaD3DDeviceTest.h"
#include "kaMatrixMath.h"
#include "kaResult.h"

// Every matrix change reaches the platform at once; stacks alone never do.
namespace {

using C = kaCountingDevice8;

class PlatformTransformTest : public kaD3DDeviceTest {
protected:
    kaMatrix44f Platform(unsigned id) {
        kaMatrix44f m{};
        Real()->GetTransform(static_cast<D3DTRANSFORMSTATETYPE>(id),
                             reinterpret_cast<D3DMATRIX*>(&m));
        return m;
    }
};

void ExpectNear(const kaMatrix44f& actual, const kaMatrix44f& expected) {
    for (int i = 0; i < 16; ++i) EXPECT_NEAR(actual.m[i], expected.m[i], 1e-5f) << "element " << i;
}

TEST_F(PlatformTransformTest, BuildersAndPopsReachThePlatformAndPushesDoNot) {
    ASSERT_EQ(mDevice->LoadIdentity(KA_TS_WORLD), KA_OK);
    ASSERT_EQ(mDevice->Translate(KA_TS_WORLD, 1, 2, 3), KA_OK);
    ExpectNear(Platform(KA_TS_WORLD), kaMatrixMath::Translation(1, 2, 3));
    Counting().Reset();
    ASSERT_EQ(mDevice->PushMatrix(KA_TS_WORLD), KA_OK);
    EXPECT_EQ(Counting().getTotal(), 0u) << "a push never calls the platform";
    ASSERT_EQ(mDevice->RotateZ(KA_TS_WORLD, 1.0f), KA_OK);
    Counting().Reset();
    EXPECT_EQ(mDevice->PopMatrix(KA_TS_WORLD), KA_OK);
    EXPECT_EQ(Counting().getCount(C::M_SetTransform), 1u);
    ExpectNear(Platform(KA_TS_WORLD), kaMatrixMath::Translation(1, 2, 3));
}

}  // namespace
