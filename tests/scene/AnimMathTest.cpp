#include <gtest/gtest.h>

#include <cmath>

#include "kaAnimMath.h"
#include "kaVectorChecks.h"

namespace {

kaBoneMatrix Rotation(float ax, float ay, float az) {
    const float angles[3] = {ax, ay, az};
    kaBoneMatrix m = {};
    kaAnimMath::EulerToMatrix(angles, m);
    return m;
}

}  // namespace

TEST(AnimMathTest, EulerAnglesTurnAboutFixedAxesXThenYThenZ) {
    const float x[3] = {1, 0, 0}, y[3] = {0, 1, 0};
    float out[3];
    kaAnimMath::Rotate(Rotation(0, 0, kPi / 2), x, out);
    ExpectVector(out, 0, 1, 0);
    kaAnimMath::Rotate(Rotation(kPi / 2, 0, 0), y, out);
    ExpectVector(out, 0, 0, 1);
    kaAnimMath::Rotate(Rotation(0, kPi / 2, 0), x, out);
    ExpectVector(out, 0, 0, -1);
    // x first, then z: y goes to z about x, and z stays under z.
    kaAnimMath::Rotate(Rotation(kPi / 2, 0, kPi / 2), y, out);
    ExpectVector(out, 0, 0, 1);
    kaAnimMath::Rotate(Rotation(kPi / 2, 0, kPi / 2), x, out);
    ExpectVector(out, 0, 1, 0);
}

TEST(AnimMathTest, QuaternionOfTheAnglesGivesTheSameMatrix) {
    int compared = 0;
    for (float ax = -3.0f; ax <= 3.0f; ax += 0.7f) {
        for (float ay = -3.0f; ay <= 3.0f; ay += 0.9f) {
            for (float az = -3.0f; az <= 3.0f; az += 1.1f) {
                const float angles[3] = {ax, ay, az};
                float q[4];
                kaAnimMath::EulerToQuat(angles, q);
                EXPECT_NEAR(q[0] * q[0] + q[1] * q[1] + q[2] * q[2] + q[3] * q[3], 1.0f, 1e-5f);
                kaBoneMatrix fromQuat = {};
                kaAnimMath::QuatToMatrix(q, fromQuat);
                const kaBoneMatrix fromAngles = Rotation(ax, ay, az);
                for (int r = 0; r < 3; ++r)
                    for (int c = 0; c < 3; ++c)
                        ASSERT_NEAR(fromQuat.m[r][c], fromAngles.m[r][c], 2e-5f)
                            << ax << " " << ay << " " << az << " at " << r << "," << c;
                ++compared;
            }
        }
    }
    EXPECT_EQ(compared, 9 * 7 * 6);
}

TEST(AnimMathTest, QuaternionIsUsedWithoutNormalising) {
    const float doubled[4] = {0, 0, 0, 2};  // identity rotation scaled by 2
    kaBoneMatrix m = {};
    kaAnimMath::QuatToMatrix(doubled, m);
    EXPECT_FLOAT_EQ(m.m[0][0], 1.0f);
    EXPECT_FLOAT_EQ(m.m[0][1], 0.0f);
    const float off[4] = {1, 0, 0, 1};
    kaAnimMath::QuatToMatrix(off, m);
    EXPECT_FLOAT_EQ(m.m[1][1], -1.0f);  // 1 - 2x²
    EXPECT_FLOAT_EQ(m.m[2][1], 2.0f);   // 2yz + 2wx
}

TEST(AnimMathTest, SlerpOfOppositeQuaternionsFlipsTheSecondAndBlendsLinearly) {
    const float q[4] = {0.0f, 0.0f, std::sin(0.4f), std::cos(0.4f)};
    float minus[4] = {-q[0], -q[1], -q[2], -q[3]};
    float out[4];
    kaAnimMath::Slerp(q, minus, 0.5f, out);
    for (int i = 0; i < 4; ++i) {
        EXPECT_FLOAT_EQ(minus[i], q[i]);  // negated in place
        EXPECT_NEAR(out[i], q[i], 1e-6f);
    }
}

TEST(AnimMathTest, SlerpFollowsTheArcAndExtrapolatesPastItsEnds) {
    // Rotations about z by 0 and 90 degrees: the half angles are 0 and 45.
    const float a[4] = {0, 0, 0, 1};
    const float angle[4] = {0, 0, std::sin(kPi / 4), std::cos(kPi / 4)};
    const struct {
        float t;
        float halfAngle;
    } cases[] = {
        {0.0f, 0}, {0.5f, kPi / 8}, {1.0f, kPi / 4}, {1.5f, 3 * kPi / 8}, {-0.5f, -kPi / 8},
    };
    for (const auto& c : cases) {
        float b[4] = {angle[0], angle[1], angle[2], angle[3]}, out[4];
        kaAnimMath::Slerp(a, b, c.t, out);
        EXPECT_NEAR(out[2], std::sin(c.halfAngle), 1e-5f) << c.t;
        EXPECT_NEAR(out[3], std::cos(c.halfAngle), 1e-5f) << c.t;
        EXPECT_FLOAT_EQ(b[2], angle[2]);  // the nearer sign is kept
    }
}

TEST(AnimMathTest, ProductCarriesTheChildTranslationThroughTheParent) {
    kaBoneMatrix parent = Rotation(0, 0, kPi / 2);
    parent.m[0][3] = 10;
    parent.m[1][3] = 20;
    parent.m[2][3] = 30;
    kaBoneMatrix child = Rotation(kPi / 2, 0, 0);
    child.m[0][3] = 1;
    child.m[1][3] = 2;
    child.m[2][3] = 3;
    const kaBoneMatrix product = kaAnimMath::Multiply(parent, child);
    const float v[3] = {0.5f, -1, 2};
    float inner[3], expected[3], actual[3];
    kaAnimMath::Transform(child, v, inner);
    kaAnimMath::Transform(parent, inner, expected);
    kaAnimMath::Transform(product, v, actual);
    ExpectVector(actual, expected[0], expected[1], expected[2]);
    // The child's origin lands at Rp tc + tp = (10 - 2, 20 + 1, 33).
    const float origin[3] = {product.m[0][3], product.m[1][3], product.m[2][3]};
    ExpectVector(origin, 8, 21, 33);
}
