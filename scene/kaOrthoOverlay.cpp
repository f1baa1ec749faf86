#include "kaOrthoOverlay.h"

#include "kaDeviceGlobal.h"
#include "kaMatrixMath.h"
#include "kaRenderDevice.h"

namespace {

const unsigned kDepthTest = 7, kCullMode = 22;
const unsigned kCullNone = 1, kCullNormal = 2;
const unsigned kTriangleList = 4;
// In front of everything after the projection: depth 0.1.
const float kQuadZ = -0.1f;

const kaOverlayQuad& QuadAt(const kaListNode* node) {
    return *static_cast<const kaOverlayQuad*>(node->item);
}

}  // namespace


int kaOrthoOverlay::Init(unsigned quadCapacity) {
    list.RemoveAll();
    return kaQuadBatch::Init(quadCapacity);
}

int kaOrthoOverlay::Add(kaOverlayQuad* quad) {
    list.PushBack(quad);
    return 0;
}

int kaOrthoOverlay::Remove(kaOverlayQuad* quad) {
    list.Remove(quad);
    return 0;
}

int kaOrthoOverlay::Draw() {
    if (!isReady()) return 0;
    kaMatrix44f projection, world, view;
    gDevice->getMatrix(KA_TS_PROJECTION, &projection);
    gDevice->getMatrix(KA_TS_WORLD, &world);
    gDevice->getMatrix(KA_TS_VIEW, &view);
    // Width and height 2, depth 0 to 1, right-handed: depth = -z.
    kaMatrix44f ortho = kaMatrixMath::Identity();
    ortho.m[10] = -1;
    gDevice->setMatrix(KA_TS_PROJECTION, &ortho);
    gDevice->LoadIdentity(KA_TS_WORLD);
    gDevice->LoadIdentity(KA_TS_VIEW);
    gDevice->setRenderState(kDepthTest, 0);

    const unsigned count = DrawableCount(list);
    WriteQuads(count);
    Bind();
    gDevice->setRenderState(kCullMode, kCullNone);
    const kaListNode* node = list.getHead();
    for (unsigned i = 0; i < count; ++i, node = node->next) {
        gDevice->setTexture(0, QuadAt(node).texture);
        gDevice->DrawIndexedPrimitive(kTriangleList, 6 * i, 4 * count, 2);
    }

    gDevice->setRenderState(kCullMode, kCullNormal);
    gDevice->setMatrix(KA_TS_PROJECTION, &projection);
    gDevice->setMatrix(KA_TS_WORLD, &world);
    gDevice->setMatrix(KA_TS_VIEW, &view);
    return 0;
}

void kaOrthoOverlay::WriteQuads(unsigned count) {
    vertexBuffer->Lock(0, 0, 0);
    const kaListNode* node = list.getHead();
    for (unsigned i = 0; i < count; ++i, node = node->next) {
        const kaOverlayQuad& q = QuadAt(node);
        WriteVertex(q.x1, q.y1, kQuadZ, q.colour, q.tu1, q.tv1);
        WriteVertex(q.x1, q.y0, kQuadZ, q.colour, q.tu1, q.tv0);
        WriteVertex(q.x0, q.y1, kQuadZ, q.colour, q.tu0, q.tv1);
        WriteVertex(q.x0, q.y0, kQuadZ, q.colour, q.tu0, q.tv0);
    }
    vertexBuffer->Unlock();
}
