#pragma once

#include <gtest/gtest.h>

// What the scene's maths tests share: the angle of a half turn and a
// component-wise check of a 3-component vector.
inline constexpr float kPi = 3.14159265f;

inline void ExpectVector(const float* actual, float x, float y, float z, float tolerance = 1e-5f) {
    EXPECT_NEAR(actual[0], x, tolerance);
    EXPECT_NEAR(actual[1], y, tolerance);
    EXPECT_NEAR(actual[2], z, tolerance);
}
