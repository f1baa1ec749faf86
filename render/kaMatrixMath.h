#pragma once

#include "kaRenderTypes.h"

// The matrices the render device multiplies onto its transforms.  Matrices
// are row-major and act on row vectors (p x M): Multiply(a, b) applies a
// first, then b.
class kaMatrixMath {
public:
    static kaMatrix44f Identity();
    static kaMatrix44f Multiply(const kaMatrix44f& a, const kaMatrix44f& b);
    // p x M with the division by w (w of 0 counts as 1).
    static kaVector3f TransformPoint(const kaVector3f& p, const kaMatrix44f& m);

    static kaMatrix44f Translation(float x, float y, float z);
    static kaMatrix44f Scaling(float x, float y, float z);
    static kaMatrix44f RotationX(float radians);
    static kaMatrix44f RotationY(float radians);
    static kaMatrix44f RotationZ(float radians);

    // Projections whose depth runs from zNear / (zFar - zNear) at the near
    // plane to zFar / (zFar - zNear) at the far plane after the division by w.
    static kaMatrix44f PerspectiveFovRH(float fovY, float aspect, float zNear, float zFar);
    static kaMatrix44f PerspectiveFovLH(float fovY, float aspect, float zNear, float zFar);

    // Pixel-space projections: origin at the top left, y growing downward.
    static kaMatrix44f OrthoRH(float width, float height, float zNear, float zFar);
    static kaMatrix44f OrthoLH(float width, float height, float zNear, float zFar);

    static kaMatrix44f LookAtRH(const kaVector3f& eye, const kaVector3f& at, const kaVector3f& up);
    static kaMatrix44f LookAtLH(const kaVector3f& eye, const kaVector3f& at, const kaVector3f& up);

private:
    static kaMatrix44f PlaneRotation(int a, int b, float radians);
    static kaMatrix44f PerspectiveFov(float fovY, float aspect, float zNear, float zFar);
    static kaMatrix44f Ortho(float width, float height, float zNear, float zFar);
    // The viewing transform for a camera at eye whose +z axis points along zAxis.
    static kaMatrix44f LookAlong(const kaVector3f& eye, const kaVector3f& zAxis,
                                 const kaVector3f& up);
};
