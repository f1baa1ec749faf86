#include <gtest/gtest.h>

#include <cmath>

#include "kaMatrixMath.h"

namespace {

using M = kaMatrixMath;
constexpr float kPi = 3.14159265358979f;
constexpr float kTolerance = 1e-5f;

float At(const kaMatrix44f& m, int row, int column) { return m.m[4 * row + column]; }

// p x M for a point (x, y, z, 1), returning (x, y, z, w).
void Transform(const kaMatrix44f& m, const float p[3], float out[4]) {
    for (int c = 0; c < 4; ++c) {
        out[c] = p[0] * At(m, 0, c) + p[1] * At(m, 1, c) + p[2] * At(m, 2, c) + At(m, 3, c);
    }
}

void ExpectMatrix(const kaMatrix44f& m, const float (&expected)[16]) {
    for (int i = 0; i < 16; ++i) EXPECT_NEAR(m.m[i], expected[i], kTolerance) << "element " << i;
}

TEST(MatrixMathTest, TranslationAndScalingPlaceTheirElements) {
    ExpectMatrix(M::Translation(1, 2, 3), {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 1, 2, 3, 1});
    ExpectMatrix(M::Scaling(2, 3, 4), {2, 0, 0, 0, 0, 3, 0, 0, 0, 0, 4, 0, 0, 0, 0, 1});
}

TEST(MatrixMathTest, RotationsTurnAxesCounterClockwiseSeenFromThePositiveAxis) {
    // A quarter turn about z takes +x to +y; about x, +y to +z; about y, +z to +x.
    const float c = std::cos(0.5f), s = std::sin(0.5f);
    ExpectMatrix(M::RotationX(0.5f), {1, 0, 0, 0, 0, c, s, 0, 0, -s, c, 0, 0, 0, 0, 1});
    ExpectMatrix(M::RotationY(0.5f), {c, 0, -s, 0, 0, 1, 0, 0, s, 0, c, 0, 0, 0, 0, 1});
    ExpectMatrix(M::RotationZ(0.5f), {c, s, 0, 0, -s, c, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1});
    const float x[3] = {1, 0, 0};
    float out[4];
    Transform(M::RotationZ(kPi / 2), x, out);
    EXPECT_NEAR(out[0], 0, kTolerance);
    EXPECT_NEAR(out[1], 1, kTolerance);
}

TEST(MatrixMathTest, ProductAppliesTheLeftMatrixFirst) {
    // Rotate (1, 0, 0) a quarter turn about z, then move it by (10, 0, 0).
    const kaMatrix44f rotateThenMove = M::Multiply(M::RotationZ(kPi / 2), M::Translation(10, 0, 0));
    const float x[3] = {1, 0, 0};
    float out[4];
    Transform(rotateThenMove, x, out);
    EXPECT_NEAR(out[0], 10, kTolerance);
    EXPECT_NEAR(out[1], 1, kTolerance);
    ExpectMatrix(M::Multiply(M::Identity(), M::Scaling(2, 3, 4)), M::Scaling(2, 3, 4).m);
}

TEST(MatrixMathTest, PerspectiveQuarterTurnFieldOfView) {
    ExpectMatrix(M::PerspectiveFovRH(kPi / 2, 1, 1, 3),
                 {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, -2, -1, 0, 0, -1.5f, 0});
    ExpectMatrix(M::PerspectiveFovLH(kPi / 2, 1, 1, 3),
                 {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 2, 1, 0, 0, -1.5f, 0});
    // The aspect ratio narrows x only: 1 / (aspect x tan(fovY / 2)).
    const kaMatrix44f wide = M::PerspectiveFovRH(kPi / 2, 2, 1, 3);
    EXPECT_NEAR(At(wide, 0, 0), 0.5f, kTolerance);
    EXPECT_NEAR(At(wide, 1, 1), 1.0f, kTolerance);
}

TEST(MatrixMathTest, PerspectiveDepthRunsFromNearOverRangeToFarOverRange) {
    const kaMatrix44f m = M::PerspectiveFovLH(kPi / 3, 1.5f, 2, 10);
    const float nearPoint[3] = {0, 0, 2}, farPoint[3] = {0, 0, 10};
    float out[4];
    Transform(m, nearPoint, out);
    EXPECT_NEAR(out[2] / out[3], 2.0f / 8.0f, kTolerance);
    Transform(m, farPoint, out);
    EXPECT_NEAR(out[2] / out[3], 10.0f / 8.0f, kTolerance);
}

TEST(MatrixMathTest, OrthoMapsPixelCornersToClipCorners) {
    const kaMatrix44f m = M::OrthoRH(800, 600, 0, 1);
    const float bottomRight[3] = {800, 600, 0}, topLeft[3] = {0, 0, 0};
    float out[4];
    Transform(m, bottomRight, out);
    EXPECT_NEAR(out[0], 1, kTolerance);
    EXPECT_NEAR(out[1], -1, kTolerance);
    EXPECT_NEAR(out[3], 1, kTolerance);
    Transform(m, topLeft, out);
    EXPECT_NEAR(out[0], -1, kTolerance);
    EXPECT_NEAR(out[1], 1, kTolerance);
    EXPECT_NEAR(At(m, 2, 2), -2.0f, kTolerance);
    EXPECT_NEAR(At(m, 3, 2), -1.0f, kTolerance);
    EXPECT_NEAR(At(M::OrthoLH(800, 600, 0, 1), 2, 2), 2.0f, kTolerance);
    EXPECT_NEAR(At(M::OrthoLH(800, 600, 0, 1), 3, 2), -1.0f, kTolerance);
}

TEST(MatrixMathTest, LookAtRightHandedLooksDownNegativeZ) {
    const kaVector3f eye{0, 0, 5}, at{0, 0, 0}, up{0, 1, 0};
    ExpectMatrix(M::LookAtRH(eye, at, up), {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, -5, 1});
    // Left-handed: z points from the eye to the target, x flips with it.
    ExpectMatrix(M::LookAtLH(eye, at, up), {-1, 0, 0, 0, 0, 1, 0, 0, 0, 0, -1, 0, 0, 0, 5, 1});
}

TEST(MatrixMathTest, LookAtMovesTheTargetOntoTheViewAxis) {
    const kaVector3f eye{3, -4, 2}, at{1, 1, 1}, up{0, 0, 1};
    const kaMatrix44f view = M::LookAtRH(eye, at, up);
    const float target[3] = {at.x, at.y, at.z};
    float out[4];
    Transform(view, target, out);
    const float distance = std::sqrt(4.0f + 25.0f + 1.0f);
    EXPECT_NEAR(out[0], 0, kTolerance);
    EXPECT_NEAR(out[1], 0, kTolerance);
    EXPECT_NEAR(out[2], -distance, 1e-4f);
}

TEST(MatrixMathTest, LookAtWithUpAlongTheViewLeavesZeroAxesInsteadOfNaN) {
    // up parallel to the view direction: x = up x z has length 0 and stays zero.
    const kaVector3f eye{0, 0, 5}, at{0, 0, 0}, up{0, 0, 1};
    const kaMatrix44f m = M::LookAtRH(eye, at, up);
    for (float v : m.m) EXPECT_FALSE(std::isnan(v));
    EXPECT_EQ(At(m, 0, 0), 0.0f);
    EXPECT_EQ(At(m, 2, 2), 1.0f);
    // eye == at: every axis is zero, only the homogeneous 1 is left.
    const kaMatrix44f degenerate = M::LookAtRH(eye, eye, kaVector3f{0, 1, 0});
    for (int i = 0; i < 15; ++i) EXPECT_EQ(degenerate.m[i], 0.0f) << i;
    EXPECT_EQ(degenerate.m[15], 1.0f);
}

}  // namespace
