#include <cmath>
#include <cstring>

#include "kaConformanceTest.h"
#include "kaMatrixMath.h"
#include "kaResult.h"

// The matrix interface: the cached transforms, their stacks and the builders.
namespace {

constexpr float kPi = 3.14159265358979f;

class MatrixStackTest : public kaConformanceTest {
protected:
    kaMatrix44f Current(unsigned id) {
        kaMatrix44f m{};
        EXPECT_EQ(mDevice->getMatrix(id, &m), KA_OK);
        return m;
    }
};

void ExpectNear(const kaMatrix44f& actual, const kaMatrix44f& expected) {
    for (int i = 0; i < 16; ++i) EXPECT_NEAR(actual.m[i], expected.m[i], 1e-5f) << "element " << i;
}

TEST_F(MatrixStackTest, TranslateMultipliesOntoTheCurrentMatrix) {
    ASSERT_EQ(mDevice->LoadIdentity(KA_TS_VIEW), KA_OK);
    ASSERT_EQ(mDevice->Translate(KA_TS_VIEW, 1, 2, 3), KA_OK);
    const kaMatrix44f expected{{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 1, 2, 3, 1}};
    ExpectNear(Current(KA_TS_VIEW), expected);
    ASSERT_EQ(mDevice->Translate(KA_TS_VIEW, 1, 0, 0), KA_OK);
    EXPECT_FLOAT_EQ(Current(KA_TS_VIEW).m[12], 2.0f) << "multiplied, not replaced";
}

TEST_F(MatrixStackTest, TheTransformGivenLastActsFirstOnTheGeometry) {
    const unsigned world = KA_TS_WORLD + 5;
    ASSERT_EQ(mDevice->LoadIdentity(world), KA_OK);
    ASSERT_EQ(mDevice->Translate(world, 10, 0, 0), KA_OK);
    ASSERT_EQ(mDevice->RotateZ(world, kPi / 2), KA_OK);
    ExpectNear(Current(world),
               kaMatrixMath::Multiply(kaMatrixMath::RotationZ(kPi / 2),
                                      kaMatrixMath::Translation(10, 0, 0)));
}

TEST_F(MatrixStackTest, BuildersPlaceTheirElements) {
    ASSERT_EQ(mDevice->LoadIdentity(KA_TS_PROJECTION), KA_OK);
    ASSERT_EQ(mDevice->PerspectiveFovRH(KA_TS_PROJECTION, kPi / 2, 1, 1, 3), KA_OK);
    ExpectNear(Current(KA_TS_PROJECTION),
               kaMatrix44f{{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, -2, -1, 0, 0, -1.5f, 0}});

    ASSERT_EQ(mDevice->LoadIdentity(KA_TS_PROJECTION), KA_OK);
    ASSERT_EQ(mDevice->OrthoRH(KA_TS_PROJECTION, 800, 600, 0, 1), KA_OK);
    const kaMatrix44f ortho = Current(KA_TS_PROJECTION);
    EXPECT_NEAR(800 * ortho.m[0] + ortho.m[12], 1.0f, 1e-5f);
    EXPECT_NEAR(600 * ortho.m[5] + ortho.m[13], -1.0f, 1e-5f);

    kaVector3f eye{0, 0, 5}, at{0, 0, 0}, up{0, 1, 0};
    ASSERT_EQ(mDevice->LoadIdentity(KA_TS_VIEW), KA_OK);
    ASSERT_EQ(mDevice->LookAtLH(KA_TS_VIEW, eye, at, up), KA_OK);
    ExpectNear(Current(KA_TS_VIEW), kaMatrixMath::LookAtLH(eye, at, up));
    ASSERT_EQ(mDevice->LoadIdentity(KA_TS_TEXTURE0 + 7), KA_OK);
    ASSERT_EQ(mDevice->Scale(KA_TS_TEXTURE0 + 7, 2, 3, 4), KA_OK);
    ExpectNear(Current(KA_TS_TEXTURE0 + 7), kaMatrixMath::Scaling(2, 3, 4));
}

TEST_F(MatrixStackTest, SixteenPushesFitAndEachTransformHasItsOwnStack) {
    for (int i = 0; i < 16; ++i) {
        ASSERT_EQ(mDevice->Translate(KA_TS_VIEW, 1, 0, 0), KA_OK);
        ASSERT_EQ(mDevice->PushMatrix(KA_TS_VIEW), KA_OK) << "push " << i;
    }
    EXPECT_EQ(mDevice->PushMatrix(KA_TS_VIEW), KA_ERR_OUTOFMEMORY);
    EXPECT_EQ(mDevice->PushMatrix(KA_TS_PROJECTION), KA_OK);
    EXPECT_EQ(mDevice->PopMatrix(KA_TS_WORLD + 255), KA_ERR_WRONGSTATE);
    for (int i = 16; i > 0; --i) {
        ASSERT_EQ(mDevice->PopMatrix(KA_TS_VIEW), KA_OK);
        EXPECT_FLOAT_EQ(Current(KA_TS_VIEW).m[12], static_cast<float>(i));
    }
    EXPECT_EQ(mDevice->PopMatrix(KA_TS_VIEW), KA_ERR_WRONGSTATE);
    EXPECT_FLOAT_EQ(Current(KA_TS_VIEW).m[12], 1.0f) << "a failed pop changes nothing";
}

TEST_F(MatrixStackTest, IdentifiersOutsideTheCacheAreNotStoredOrStacked) {
    const unsigned uncached[] = {0, 1, 4, 15, 24, 255, 512};
    for (unsigned id : uncached) {
        kaMatrix44f sentinel;
        std::memset(&sentinel, 0x5A, sizeof sentinel);
        kaMatrix44f out = sentinel;
        EXPECT_EQ(mDevice->getMatrix(id, &out), KA_OK);
        EXPECT_EQ(std::memcmp(&out, &sentinel, sizeof out), 0) << "id " << id;
        EXPECT_EQ(mDevice->PushMatrix(id), KA_OK);
        EXPECT_EQ(mDevice->PopMatrix(id), KA_OK);
        EXPECT_EQ(mDevice->Translate(id, 1, 2, 3), KA_ERR_INVALIDARG) << "nothing to multiply";
    }
    EXPECT_EQ(mDevice->setMatrix(KA_TS_VIEW, nullptr), KA_ERR_INVALIDARG);
}

TEST_F(MatrixStackTest, DefaultTransformsAreIdentity) {
    ExpectNear(Current(KA_TS_VIEW), kaMatrixMath::Identity());
    ExpectNear(Current(KA_TS_WORLD), kaMatrixMath::Identity());
    ExpectNear(Current(KA_TS_WORLD + 200), kaMatrixMath::Identity());
    ExpectNear(Current(KA_TS_TEXTURE0 + 3), kaMatrixMath::Identity());
}

TEST_F(MatrixStackTest, StatePopReappliesTheTransformsButNotTheMatrixStacks) {
    ASSERT_EQ(mDevice->PushState(0x01), KA_OK);
    ASSERT_EQ(mDevice->PushMatrix(KA_TS_VIEW), KA_OK);
    ASSERT_EQ(mDevice->Translate(KA_TS_VIEW, 7, 0, 0), KA_OK);
    ASSERT_EQ(mDevice->PopState(), KA_OK);
    ExpectNear(Current(KA_TS_VIEW), kaMatrixMath::Identity());
    ASSERT_EQ(mDevice->PopMatrix(KA_TS_VIEW), KA_OK) << "the matrix stack still holds its entry";
}

}  // namespace
