#include "kaMatrixMath.h"

#include <cmath>

namespace {

float& At(kaMatrix44f& m, int row, int column) { return m.m[4 * row + column]; }
float At(const kaMatrix44f& m, int row, int column) { return m.m[4 * row + column]; }

kaVector3f Minus(const kaVector3f& a, const kaVector3f& b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}

kaVector3f Cross(const kaVector3f& a, const kaVector3f& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

float Dot(const kaVector3f& a, const kaVector3f& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

// A vector of length 0 stays zero instead of being divided by 0.
kaVector3f Normalised(const kaVector3f& v) {
    const float length = std::sqrt(Dot(v, v));
    if (length == 0.0f) return v;
    return {v.x / length, v.y / length, v.z / length};
}

// Identity with cos at (a, a) and (b, b), sin at (a, b) and -sin at (b, a).
kaMatrix44f Rotation(int a, int b, float radians) {
    kaMatrix44f m = kaMatrixMath::Identity();
    At(m, a, a) = std::cos(radians);
    At(m, a, b) = std::sin(radians);
    At(m, b, a) = -std::sin(radians);
    At(m, b, b) = std::cos(radians);
    return m;
}

}  // namespace

kaMatrix44f kaMatrixMath::Identity() {
    kaMatrix44f m{};
    for (int d = 0; d < 4; ++d) At(m, d, d) = 1.0f;
    return m;
}

kaMatrix44f kaMatrixMath::Multiply(const kaMatrix44f& a, const kaMatrix44f& b) {
    kaMatrix44f r{};
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 4; ++column) {
            float sum = 0.0f;
            for (int k = 0; k < 4; ++k) sum += At(a, row, k) * At(b, k, column);
            At(r, row, column) = sum;
        }
    }
    return r;
}

kaVector3f kaMatrixMath::TransformPoint(const kaVector3f& p, const kaMatrix44f& m) {
    float out[4];
    for (int column = 0; column < 4; ++column) {
        out[column] = p.x * At(m, 0, column) + p.y * At(m, 1, column) +
                      p.z * At(m, 2, column) + At(m, 3, column);
    }
    const float w = out[3] != 0.0f ? out[3] : 1.0f;
    return {out[0] / w, out[1] / w, out[2] / w};
}

kaMatrix44f kaMatrixMath::Translation(float x, float y, float z) {
    kaMatrix44f m = Identity();
    At(m, 3, 0) = x;
    At(m, 3, 1) = y;
    At(m, 3, 2) = z;
    return m;
}

kaMatrix44f kaMatrixMath::Scaling(float x, float y, float z) {
    kaMatrix44f m = Identity();
    At(m, 0, 0) = x;
    At(m, 1, 1) = y;
    At(m, 2, 2) = z;
    return m;
}

kaMatrix44f kaMatrixMath::RotationX(float radians) { return Rotation(1, 2, radians); }

kaMatrix44f kaMatrixMath::RotationY(float radians) { return Rotation(2, 0, radians); }

kaMatrix44f kaMatrixMath::RotationZ(float radians) { return Rotation(0, 1, radians); }

kaMatrix44f kaMatrixMath::PerspectiveFov(float fovY, float aspect, float zNear, float zFar,
                                         bool rightHanded) {
    const float top = zNear * std::tan(fovY * 0.5f);
    const float bottom = -top;
    const float left = -(aspect * top);
    const float right = -left;
    kaMatrix44f m{};
    At(m, 0, 0) = 2.0f * zNear / (right - left);
    At(m, 1, 1) = 2.0f * zNear / (top - bottom);
    At(m, 2, 0) = (right + left) / (right - left);
    At(m, 2, 1) = (top + bottom) / (top - bottom);
    At(m, 2, 2) = rightHanded ? (zNear + zFar) / (zNear - zFar) : (zNear + zFar) / (zFar - zNear);
    At(m, 2, 3) = rightHanded ? -1.0f : 1.0f;
    At(m, 3, 2) = zNear * zFar / (zNear - zFar);
    return m;
}

kaMatrix44f kaMatrixMath::Ortho(float width, float height, float zNear, float zFar,
                                bool rightHanded) {
    kaMatrix44f m{};
    At(m, 0, 0) = 2.0f / width;
    At(m, 1, 1) = -2.0f / height;
    At(m, 2, 2) = rightHanded ? -2.0f / (zFar - zNear) : -2.0f / (zNear - zFar);
    At(m, 3, 0) = -1.0f;
    At(m, 3, 1) = 1.0f;
    At(m, 3, 2) = -(zNear + zFar) / (zFar - zNear);
    At(m, 3, 3) = 1.0f;
    return m;
}

kaMatrix44f kaMatrixMath::LookAt(const kaVector3f& eye, const kaVector3f& at,
                                 const kaVector3f& up, bool rightHanded) {
    const kaVector3f z = Normalised(rightHanded ? Minus(eye, at) : Minus(at, eye));
    const kaVector3f x = Normalised(Cross(up, z));
    const kaVector3f y = Cross(z, x);
    kaMatrix44f m = Identity();
    const kaVector3f axes[3] = {x, y, z};
    for (int column = 0; column < 3; ++column) {
        At(m, 0, column) = axes[column].x;
        At(m, 1, column) = axes[column].y;
        At(m, 2, column) = axes[column].z;
        At(m, 3, column) = -Dot(axes[column], eye);
    }
    return m;
}
