#include "kaAnimMath.h"

#include <cmath>

void kaAnimMath::EulerToMatrix(const float angles[3], kaBoneMatrix& out) {
    const float sx = std::sin(angles[0]), cx = std::cos(angles[0]);
    const float sy = std::sin(angles[1]), cy = std::cos(angles[1]);
    const float sz = std::sin(angles[2]), cz = std::cos(angles[2]);
    out.m[0][0] = cz * cy;
    out.m[0][1] = cz * sx * sy - cx * sz;
    out.m[0][2] = cz * cx * sy + sz * sx;
    out.m[1][0] = cy * sz;
    out.m[1][1] = cz * cx + sx * sy * sz;
    out.m[1][2] = cx * sy * sz - cz * sx;
    out.m[2][0] = -sy;
    out.m[2][1] = cy * sx;
    out.m[2][2] = cy * cx;
}

void kaAnimMath::EulerToQuat(const float angles[3], float out[4]) {
    const float sx = std::sin(angles[0] / 2), cx = std::cos(angles[0] / 2);
    const float sy = std::sin(angles[1] / 2), cy = std::cos(angles[1] / 2);
    const float sz = std::sin(angles[2] / 2), cz = std::cos(angles[2] / 2);
    out[0] = sx * cy * cz - cx * sy * sz;
    out[1] = cx * sy * cz + sx * cy * sz;
    out[2] = cx * cy * sz - sx * sy * cz;
    out[3] = cx * cy * cz + sx * sy * sz;
}

void kaAnimMath::QuatToMatrix(const float q[4], kaBoneMatrix& out) {
    const float x = q[0], y = q[1], z = q[2], w = q[3];
    out.m[0][0] = 1 - 2 * y * y - 2 * z * z;
    out.m[0][1] = 2 * x * y - 2 * w * z;
    out.m[0][2] = 2 * x * z + 2 * w * y;
    out.m[1][0] = 2 * x * y + 2 * w * z;
    out.m[1][1] = 1 - 2 * x * x - 2 * z * z;
    out.m[1][2] = 2 * y * z - 2 * w * x;
    out.m[2][0] = 2 * x * z - 2 * w * y;
    out.m[2][1] = 2 * y * z + 2 * w * x;
    out.m[2][2] = 1 - 2 * x * x - 2 * y * y;
}

void kaAnimMath::Slerp(const float a[4], float b[4], float t, float out[4]) {
    float apart = 0, together = 0;
    for (int i = 0; i < 4; ++i) {
        apart += (a[i] - b[i]) * (a[i] - b[i]);
        together += (a[i] + b[i]) * (a[i] + b[i]);
    }
    if (apart > together) {
        for (int i = 0; i < 4; ++i) b[i] = -b[i];
    }
    double c = 0;
    for (int i = 0; i < 4; ++i) c += double(a[i]) * b[i];
    double s0 = 1.0 - t, s1 = t;
    if (1.0 - c > 1e-8) {
        const double w = std::acos(c), sinW = std::sin(w);
        s0 = std::sin((1.0 - t) * w) / sinW;
        s1 = std::sin(t * w) / sinW;
    }
    for (int i = 0; i < 4; ++i) out[i] = static_cast<float>(s0 * a[i] + s1 * b[i]);
}

kaBoneMatrix kaAnimMath::Multiply(const kaBoneMatrix& p, const kaBoneMatrix& c) {
    kaBoneMatrix out;
    for (int r = 0; r < 3; ++r) {
        for (int k = 0; k < 4; ++k) {
            out.m[r][k] = p.m[r][0] * c.m[0][k] + p.m[r][1] * c.m[1][k] + p.m[r][2] * c.m[2][k];
        }
        out.m[r][3] += p.m[r][3];
    }
    return out;
}

void kaAnimMath::RotateBack(const kaBoneMatrix& m, const float v[3], float out[3]) {
    for (int c = 0; c < 3; ++c) out[c] = m.m[0][c] * v[0] + m.m[1][c] * v[1] + m.m[2][c] * v[2];
}
