#pragma once

#include <string>

#include "kaCameraPath.h"
#include "kaRenderTypes.h"

// The demo's camera: projection and viewport set once, a view basis aimed at
// a target, and an eye that flies along a closed Hermite spline read from a
// path file.  The device calls go to gDevice (skipped while there is none).
class kaCamera {
public:
    kaCamera();

    // Setup (60, width, height, 16, 1400000) with the eye at the origin.
    void Init(int width, int height);
    // The same in that viewport of the target.
    void Init(const kaViewport& viewport);
    // Projection, viewport (0, 0, width, height) and an identity view.
    void Setup(float fovDegrees, int width, int height, float zNear, float zFar);
    // Projection for the viewport's aspect, the viewport and an identity view.
    void Setup(float fovDegrees, const kaViewport& viewport, float zNear, float zFar);
    // The projection and viewport again, for a viewport of another size;
    // the view stays.
    void Resize(const kaViewport& viewport);
    void SetEye(const kaVector3f& point);
    void LookAt(const kaVector3f& eye, const kaVector3f& target, const kaVector3f& up);
    // Eye at PointAt (t) plus offset, looking at target with +z up.
    void Follow(float t, const kaVector3f& offset);

    // Reads "../xMedia/xCinematics/" + name: 0; 3 without a name; 11 after a
    // warning box when the file cannot be opened or read (the old path stays).
    int LoadPath(const char* name);
    // As LoadPath, from a complete path.
    int LoadPathFile(const char* path);
    // As LoadPathFile, from the file's text; fileName names it in the box.
    int LoadPathText(const std::string& text, const char* fileName);
    void ComputeTangents();
    // The path point at parameter t; the origin while there is no path.
    kaVector3f PointAt(float t) const;
    static float Hermite(float p0, float p1, float m0, float m1, float s);

    kaVector3f target;
    kaCameraPath path;
    float fovDegrees;
    float aspect;
    float zNear, zFar;
    int width, height;
    kaViewport viewport;
    kaMatrix44f view;
    kaVector3f eye;
    kaVector3f right, up, forward;  // forward points from the target to the eye
};
