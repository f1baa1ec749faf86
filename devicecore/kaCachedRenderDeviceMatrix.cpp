// The matrix interface: the 266 cached transforms, their stacks, and the
// builders that multiply a new matrix onto a transform.
#include "kaCachedRenderDevice.h"
#include "kaMatrixMath.h"
#include "kaResult.h"

namespace {

// Matrix-stack slots: world matrices 0 to 255, then view, projection and the
// eight texture matrices.
constexpr int kViewSlot = kaMaxWorldMatrices;
constexpr int kProjectionSlot = kViewSlot + 1;
constexpr int kTextureSlot0 = kProjectionSlot + 1;

}  // namespace

int kaCachedRenderDevice::MatrixStackIndex(unsigned id) {
    if (id >= KA_TS_WORLD && id < KA_TS_WORLD + kaMaxWorldMatrices) {
        return static_cast<int>(id - KA_TS_WORLD);
    }
    if (id == KA_TS_VIEW) return kViewSlot;
    if (id == KA_TS_PROJECTION) return kProjectionSlot;
    if (id >= KA_TS_TEXTURE0 && id < KA_TS_TEXTURE0 + kaMaxTextureStages) {
        return kTextureSlot0 + static_cast<int>(id - KA_TS_TEXTURE0);
    }
    return -1;
}

// Every matrix change ends here, so the platform always holds the cached value.
// Identifiers outside the cache are handed to the platform without being kept.
int kaCachedRenderDevice::setMatrix(unsigned id, kaMatrix44f* matrix) {
    if (!PlatformReady()) return KA_ERR_WRONGSTATE;
    if (!matrix) return KA_ERR_INVALIDARG;
    if (!PlatformTransform(id, *matrix)) return KA_ERR_PLATFORM;
    if (kaMatrix44f* cached = mCurrent.transforms.Find(id)) *cached = *matrix;
    return KA_OK;
}

int kaCachedRenderDevice::getMatrix(unsigned id, kaMatrix44f* matrix) {
    if (!matrix) return KA_ERR_INVALIDARG;
    if (const kaMatrix44f* cached = mCurrent.transforms.Find(id)) *matrix = *cached;
    return KA_OK;
}

int kaCachedRenderDevice::LoadIdentity(unsigned id) {
    kaMatrix44f identity = kaMatrixMath::Identity();
    return setMatrix(id, &identity);
}

int kaCachedRenderDevice::PushMatrix(unsigned id) {
    if (!PlatformReady()) return KA_ERR_WRONGSTATE;
    const int slot = MatrixStackIndex(id);
    if (slot < 0) return KA_OK;
    int& top = mMatrixStackTop[slot];
    if (top >= kStackDepth - 1) return KA_ERR_OUTOFMEMORY;
    mMatrixStack[slot][++top] = *mCurrent.transforms.Find(id);
    return KA_OK;
}

// Identifiers without a stack have nothing to pop, like PushMatrix has nothing to push.
int kaCachedRenderDevice::PopMatrix(unsigned id) {
    if (!PlatformReady()) return KA_ERR_WRONGSTATE;
    const int slot = MatrixStackIndex(id);
    if (slot < 0) return KA_OK;
    int& top = mMatrixStackTop[slot];
    if (top < 0) return KA_ERR_WRONGSTATE;
    kaMatrix44f saved = mMatrixStack[slot][top--];
    return setMatrix(id, &saved);
}

// current := matrix x current: the matrix given last acts first on the geometry.
// Only cached transforms have a current value to multiply; others give 2.
int kaCachedRenderDevice::MultiplyMatrix(unsigned id, kaMatrix44f* matrix) {
    if (!PlatformReady()) return KA_ERR_WRONGSTATE;
    const kaMatrix44f* current = mCurrent.transforms.Find(id);
    if (!matrix || !current) return KA_ERR_INVALIDARG;
    kaMatrix44f product = kaMatrixMath::Multiply(*matrix, *current);
    return setMatrix(id, &product);
}

int kaCachedRenderDevice::MultiplyBy(unsigned id, kaMatrix44f matrix) {
    return MultiplyMatrix(id, &matrix);
}

int kaCachedRenderDevice::Translate(unsigned id, float x, float y, float z) {
    return MultiplyBy(id, kaMatrixMath::Translation(x, y, z));
}

int kaCachedRenderDevice::Scale(unsigned id, float x, float y, float z) {
    return MultiplyBy(id, kaMatrixMath::Scaling(x, y, z));
}

int kaCachedRenderDevice::RotateX(unsigned id, float radians) {
    return MultiplyBy(id, kaMatrixMath::RotationX(radians));
}

int kaCachedRenderDevice::RotateY(unsigned id, float radians) {
    return MultiplyBy(id, kaMatrixMath::RotationY(radians));
}

int kaCachedRenderDevice::RotateZ(unsigned id, float radians) {
    return MultiplyBy(id, kaMatrixMath::RotationZ(radians));
}

int kaCachedRenderDevice::PerspectiveFovRH(unsigned id, float fovY, float aspect, float zNear,
                                        float zFar) {
    return MultiplyBy(id, kaMatrixMath::PerspectiveFovRH(fovY, aspect, zNear, zFar));
}

int kaCachedRenderDevice::PerspectiveFovLH(unsigned id, float fovY, float aspect, float zNear,
                                        float zFar) {
    return MultiplyBy(id, kaMatrixMath::PerspectiveFovLH(fovY, aspect, zNear, zFar));
}

int kaCachedRenderDevice::OrthoRH(unsigned id, float width, float height, float zNear, float zFar) {
    return MultiplyBy(id, kaMatrixMath::OrthoRH(width, height, zNear, zFar));
}

int kaCachedRenderDevice::OrthoLH(unsigned id, float width, float height, float zNear, float zFar) {
    return MultiplyBy(id, kaMatrixMath::OrthoLH(width, height, zNear, zFar));
}

int kaCachedRenderDevice::LookAtRH(unsigned id, kaVector3f& eye, kaVector3f& at, kaVector3f& up) {
    return MultiplyBy(id, kaMatrixMath::LookAtRH(eye, at, up));
}

int kaCachedRenderDevice::LookAtLH(unsigned id, kaVector3f& eye, kaVector3f& at, kaVector3f& up) {
    return MultiplyBy(id, kaMatrixMath::LookAtLH(eye, at, up));
}
