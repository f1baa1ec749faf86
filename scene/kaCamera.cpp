#include "kaCamera.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "kaDeviceGlobal.h"
#include "kaMatrixMath.h"
#include "kaMessageBox.h"
#include "kaRenderDevice.h"
#include "kaResult.h"

namespace {

const char kPathDirectory[] = "../xMedia/xCinematics/";
const float kDegreesToRadians = 0.01745329f;

// Reads every "%f %f %f\n" point up to the end of the text: three numbers
// in a row, white space around them skipped; false when a read does not
// yield three numbers (a word, too few numbers, an empty text).
bool ReadPoints(const std::string& text, std::vector<float>& points) {
    const char* at = text.c_str();
    const char* const end = at + text.size();
    do {
        float p[3];
        for (float& value : p) {
            char* next = nullptr;
            value = std::strtof(at, &next);
            if (next == at) return false;
            at = next;
        }
        points.insert(points.end(), p, p + 3);
        while (at < end && std::isspace(static_cast<unsigned char>(*at))) ++at;
    } while (at < end);
    return true;
}

// The whole text of a file read in text mode; false when it cannot be opened.
bool ReadText(const char* fileName, std::string& text) {
    std::FILE* file = std::fopen(fileName, "r");
    if (file == nullptr) return false;
    char chunk[4096];
    size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0) text.append(chunk, got);
    std::fclose(file);
    return true;
}

}  // namespace

kaCamera::kaCamera()
    : target(), fovDegrees(0), aspect(0), zNear(0), zFar(0), width(0), height(0), viewport(),
      view(), eye(), right(), up(), forward() {}

void kaCamera::Init(int viewWidth, int viewHeight) {
    Init(kaViewport{0, 0, static_cast<uint32_t>(viewWidth), static_cast<uint32_t>(viewHeight)});
}

void kaCamera::Init(const kaViewport& area) {
    Setup(60.0f, area, 16.0f, 1400000.0f);
    SetEye({0, 0, 0});
}

void kaCamera::Setup(float fov, int viewWidth, int viewHeight, float nearZ, float farZ) {
    Setup(fov, kaViewport{0, 0, static_cast<uint32_t>(viewWidth), static_cast<uint32_t>(viewHeight)},
          nearZ, farZ);
}

void kaCamera::Setup(float fov, const kaViewport& area, float nearZ, float farZ) {
    fovDegrees = fov;
    zNear = nearZ;
    zFar = farZ;
    Resize(area);
    if (gDevice != nullptr) gDevice->LoadIdentity(KA_TS_VIEW);
}

void kaCamera::Resize(const kaViewport& area) {
    viewport = area;
    width = static_cast<int>(area.width);
    height = static_cast<int>(area.height);
    aspect = static_cast<float>(width) / static_cast<float>(height);
    const float t = std::tan(fovDegrees * kDegreesToRadians / 2);
    kaMatrix44f projection = {};
    projection.m[0] = 1 / (aspect * t);
    projection.m[5] = 1 / t;
    projection.m[10] = (zNear + zFar) / (zNear - zFar);
    projection.m[11] = -1;
    projection.m[14] = zNear * zFar / (zNear - zFar);
    if (gDevice == nullptr) return;
    gDevice->setMatrix(KA_TS_PROJECTION, &projection);
    gDevice->setViewport(&viewport);
}

void kaCamera::SetEye(const kaVector3f& point) { eye = point; }

void kaCamera::LookAt(const kaVector3f& eyePoint, const kaVector3f& targetPoint,
                      const kaVector3f& upVector) {
    // Right, up and forward (target to eye), normalised, are the first
    // three columns; a basis that cannot be made stays zero.
    view = kaMatrixMath::LookAtRH(eyePoint, targetPoint, upVector);
    const float* m = view.m;
    right = {m[0], m[4], m[8]};
    up = {m[1], m[5], m[9]};
    forward = {m[2], m[6], m[10]};
    // The translation is taken from the stored eye.
    for (int c = 0; c < 3; ++c)
        view.m[12 + c] = -(eye.x * m[c] + eye.y * m[4 + c] + eye.z * m[8 + c]);
    if (gDevice != nullptr) gDevice->setMatrix(KA_TS_VIEW, &view);
}

void kaCamera::Follow(float t, const kaVector3f& offset) {
    SetEye(PointAt(t));
    eye = {eye.x + offset.x, eye.y + offset.y, eye.z + offset.z};
    LookAt(eye, target, {0, 0, 1});
}

int kaCamera::LoadPath(const char* name) {
    if (name == nullptr) return KA_ERR_WRONGSTATE;
    return LoadPathFile((std::string(kPathDirectory) + name).c_str());
}

int kaCamera::LoadPathFile(const char* fileName) {
    std::string text;
    if (!ReadText(fileName, text)) {
        WarningBox("loadTDM", "error loading camera path file %s", fileName);
        return KA_ERR_INITFAILED;
    }
    return LoadPathText(text, fileName);
}

int kaCamera::LoadPathText(const std::string& text, const char* fileName) {
    std::vector<float> points;
    if (!ReadPoints(text, points)) {
        WarningBox("LoadCameraPath", "error loading camera path file %s", fileName);
        return KA_ERR_INITFAILED;
    }
    // The path closes on a copy of its first point, taken before the vector
    // grows: a range of a vector cannot be inserted into that same vector.
    const float first[3] = {points[0], points[1], points[2]};
    points.insert(points.end(), first, first + 3);
    path.count = static_cast<int>(points.size() / 3);
    path.points.swap(points);
    path.tangents.assign(path.points.size(), 0.0f);
    ComputeTangents();
    return KA_OK;
}

void kaCamera::ComputeTangents() {
    const int n = path.count;
    path.tangents.assign(size_t(n) * 3, 0.0f);
    if (n <= 2) return;
    const float* p = path.points.data();
    for (int i = 0; i < n; ++i) {
        const int prev = i == 0 ? n - 2 : i - 1;
        const int next = i == n - 1 ? 1 : i + 1;
        for (int axis = 0; axis < 3; ++axis) {
            const float current = p[3 * i + axis];
            path.tangents[3 * i + axis] =
                (current - p[3 * prev + axis]) * 0.5f + (p[3 * next + axis] - current) * 0.5f;
        }
    }
}

kaVector3f kaCamera::PointAt(float t) const {
    const int n = path.count;
    if (n <= 0) return {0, 0, 0};
    const float k = std::trunc(t);
    const float s = t - k;
    const float j = n > 1 ? std::fmod(k, static_cast<float>(n - 1)) : -1.0f;
    int a = n - 1, b = 0;
    if (j >= 0 && j < n - 1) {
        a = static_cast<int>(j);
        b = a + 1;
    }
    const float* p = path.points.data();
    const float* m = path.tangents.data();
    float out[3];
    for (int axis = 0; axis < 3; ++axis)
        out[axis] = Hermite(p[3 * a + axis], p[3 * b + axis], m[3 * a + axis], m[3 * b + axis], s);
    return {out[0], out[1], out[2]};
}

float kaCamera::Hermite(float p0, float p1, float m0, float m1, float s) {
    const float s2 = s * s, s3 = s2 * s;
    return p0 * (2 * s3 - 3 * s2 + 1) + p1 * (3 * s2 - 2 * s3) + m0 * (s3 - 2 * s2 + s) +
           m1 * (s3 - s2);
}
