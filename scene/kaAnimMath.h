#pragma once

// A bone matrix: 3 x 4, stored by rows, acting on column vectors.  It maps v
// to R v + t with R the left 3 x 3 block and t the last column.
struct kaBoneMatrix {
    float m[3][4];
};

// Rotations and bone matrices of the skeleton.  Three angles (ax, ay, az)
// mean Rz(az) x Ry(ay) x Rx(ax); quaternions are x, y, z, w.
class kaAnimMath {
public:
    // Writes the rotation block; the translation column is left alone.
    static void EulerToMatrix(const float angles[3], kaBoneMatrix& out);
    static void EulerToQuat(const float angles[3], float out[4]);
    // Writes the rotation block of the quaternion as given (not normalised).
    static void QuatToMatrix(const float q[4], kaBoneMatrix& out);
    // From a (t = 0) to b (t = 1), not clamped and not normalised; b is
    // negated in place when -b lies nearer to a.
    static void Slerp(const float a[4], float b[4], float t, float out[4]);
    // parent x child: v -> Rp (Rc v + tc) + tp.
    static kaBoneMatrix Multiply(const kaBoneMatrix& parent, const kaBoneMatrix& child);
    // R v + t.  Inline: skinning applies it to every vertex every frame.
    static void Transform(const kaBoneMatrix& m, const float v[3], float out[3]) {
        for (int r = 0; r < 3; ++r)
            out[r] = m.m[r][0] * v[0] + m.m[r][1] * v[1] + m.m[r][2] * v[2] + m.m[r][3];
    }
    // R v.
    static void Rotate(const kaBoneMatrix& m, const float v[3], float out[3]) {
        for (int r = 0; r < 3; ++r)
            out[r] = m.m[r][0] * v[0] + m.m[r][1] * v[1] + m.m[r][2] * v[2];
    }
    // Rᵀ v: the inverse rotation while R is a pure rotation.
    static void RotateBack(const kaBoneMatrix& m, const float v[3], float out[3]);
};
