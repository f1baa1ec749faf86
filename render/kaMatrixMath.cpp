#include "kaMatrixMath.h"

#include <cmath>

namespace {

float& At(kaMatrix44f& m, int row, int column) { return m.m[4 * row + column]; }
float At(const kaMatrix44f& m, int row, int column) { return m.m[4 * row + column]; }

kaVector3f Subtract(const kaVector3f& a, const kaVector3f& b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}

kaVector3f Cross(const kaVector3f& a, const kaVector3f& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

float Dot(const kaVector3f& a, const kaVector3f& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

// A vector of length 0 stays zero instead of turning into NaNs.
kaVector3f Normalized(const kaVector3f& v) {
    const float length = std::sqrt(Dot(v, v));
    if (length == 0.0f) return v;
    return {v.x / length, v.y / length, v.z / length};
}

}  // namespace

kaMatrix44f kaMatrixMath::Identity() {
    kaMatrix44f m{};
    for (int i = 0; i < 4; ++i) At(m, i, i) = 1.0f;
    return m;
}

kaMatrix44f kaMatrixMath::Multiply(const kaMatrix44f& a, const kaMatrix44f& b) {
    kaMatrix44f product{};
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 4; ++column) {
            float sum = 0.0f;
            for (int k = 0; k < 4; ++k) sum += At(a, row, k) * At(b, k, column);
            At(product, row, column) = sum;
        }
    }
    return product;
}

kaMatrix44f kaMatrixMath::Translation(float x, float y, float z) {
    kaMatrix44f m = Identity();
    At(m, 3, 0) = x;
    At(m, 3, 1) = y;
    At(m, 3, 2) = z;
    return m;
}

// Rotation in the plane of axes a and b, turning a toward b.
kaMatrix44f kaMatrixMath::PlaneRotation(int a, int b, float radians) {
    const float c = std::cos(radians), s = std::sin(radians);
    kaMatrix44f m = Identity();
    At(m, a, a) = c;
    At(m, a, b) = s;
    At(m, b, a) = -s;
    At(m, b, b) = c;
    return m;
}

kaMatrix44f kaMatrixMath::Scaling(float x, float y, float z) {
    kaMatrix44f m = Identity();
    At(m, 0, 0) = x;
    At(m, 1, 1) = y;
    At(m, 2, 2) = z;
    return m;
}

kaMatrix44f kaMatrixMath::RotationX(float radians) { return PlaneRotation(1, 2, radians); }
kaMatrix44f kaMatrixMath::RotationY(float radians) { return PlaneRotation(2, 0, radians); }
kaMatrix44f kaMatrixMath::RotationZ(float radians) { return PlaneRotation(0, 1, radians); }

// The frustum is symmetric, so the third row's x and y terms are zero.
kaMatrix44f kaMatrixMath::PerspectiveFov(float fovY, float aspect, float zNear, float zFar) {
    const float t = std::tan(fovY * 0.5f);
    kaMatrix44f m{};
    At(m, 0, 0) = 1.0f / (aspect * t);
    At(m, 1, 1) = 1.0f / t;
    At(m, 3, 2) = zNear * zFar / (zNear - zFar);
    return m;
}

kaMatrix44f kaMatrixMath::PerspectiveFovRH(float fovY, float aspect, float zNear, float zFar) {
    kaMatrix44f m = PerspectiveFov(fovY, aspect, zNear, zFar);
    At(m, 2, 2) = (zNear + zFar) / (zNear - zFar);
    At(m, 2, 3) = -1.0f;
    return m;
}

kaMatrix44f kaMatrixMath::PerspectiveFovLH(float fovY, float aspect, float zNear, float zFar) {
    kaMatrix44f m = PerspectiveFov(fovY, aspect, zNear, zFar);
    At(m, 2, 2) = (zNear + zFar) / (zFar - zNear);
    At(m, 2, 3) = 1.0f;
    return m;
}

kaMatrix44f kaMatrixMath::Ortho(float width, float height, float zNear, float zFar) {
    kaMatrix44f m{};
    At(m, 0, 0) = 2.0f / width;
    At(m, 1, 1) = -2.0f / height;
    At(m, 3, 0) = -1.0f;
    At(m, 3, 1) = 1.0f;
    At(m, 3, 2) = -(zNear + zFar) / (zFar - zNear);
    At(m, 3, 3) = 1.0f;
    return m;
}

kaMatrix44f kaMatrixMath::OrthoRH(float width, float height, float zNear, float zFar) {
    kaMatrix44f m = Ortho(width, height, zNear, zFar);
    At(m, 2, 2) = -2.0f / (zFar - zNear);
    return m;
}

kaMatrix44f kaMatrixMath::OrthoLH(float width, float height, float zNear, float zFar) {
    kaMatrix44f m = Ortho(width, height, zNear, zFar);
    At(m, 2, 2) = -2.0f / (zNear - zFar);
    return m;
}

kaMatrix44f kaMatrixMath::LookAlong(const kaVector3f& eye, const kaVector3f& zAxis,
                                    const kaVector3f& up) {
    const kaVector3f z = Normalized(zAxis);
    const kaVector3f x = Normalized(Cross(up, z));
    const kaVector3f y = Cross(z, x);
    kaMatrix44f m{};
    const kaVector3f* axes[3] = {&x, &y, &z};
    for (int column = 0; column < 3; ++column) {
        At(m, 0, column) = axes[column]->x;
        At(m, 1, column) = axes[column]->y;
        At(m, 2, column) = axes[column]->z;
        At(m, 3, column) = -Dot(*axes[column], eye);
    }
    At(m, 3, 3) = 1.0f;
    return m;
}

kaMatrix44f kaMatrixMath::LookAtRH(const kaVector3f& eye, const kaVector3f& at,
                                   const kaVector3f& up) {
    return LookAlong(eye, Subtract(eye, at), up);
}

kaMatrix44f kaMatrixMath::LookAtLH(const kaVector3f& eye, const kaVector3f& at,
                                   const kaVector3f& up) {
    return LookAlong(eye, Subtract(at, eye), up);
}

kaVector3f kaMatrixMath::TransformPoint(const kaVector3f& p, const kaMatrix44f& m) {
    float out[4];
    for (int column = 0; column < 4; ++column) {
        out[column] = p.x * m.m[column] + p.y * m.m[4 + column] + p.z * m.m[8 + column] +
                      m.m[12 + column];
    }
    const float w = out[3] != 0.0f ? out[3] : 1.0f;
    return {out[0] / w, out[1] / w, out[2] / w};
}
