#pragma once

#include "kaRenderTypes.h"

// The matrices the render device builds and multiplies, in single precision.
// Row-major, acting on row vectors (p x M): in Multiply(a, b) the matrix a
// acts first.  The projection and viewing builders use the same terms as the
// Direct3D 8 device of the plug-in, so that a test reading a matrix back from
// the recording device sees what the real device would hold.
class kaMatrixMath {
public:
    static kaMatrix44f Identity();
    static kaMatrix44f Multiply(const kaMatrix44f& a, const kaMatrix44f& b);
    static kaVector3f TransformPoint(const kaVector3f& p, const kaMatrix44f& m);

    static kaMatrix44f Translation(float x, float y, float z);
    static kaMatrix44f Scaling(float x, float y, float z);
    static kaMatrix44f RotationX(float radians);
    static kaMatrix44f RotationY(float radians);
    static kaMatrix44f RotationZ(float radians);

    // Depth runs from zNear / (zFar - zNear) at the near plane to
    // zFar / (zFar - zNear) at the far plane after the division by w.
    static kaMatrix44f PerspectiveFov(float fovY, float aspect, float zNear, float zFar,
                                      bool rightHanded);
    // Pixel space: the origin at the top left, y growing downward.
    static kaMatrix44f Ortho(float width, float height, float zNear, float zFar,
                             bool rightHanded);
    static kaMatrix44f LookAt(const kaVector3f& eye, const kaVector3f& at,
                              const kaVector3f& up, bool rightHanded);
};
