#include "kaSpriteBatch.h"

#include "kaDeviceGlobal.h"
#include "kaRenderDevice.h"

namespace {

enum : unsigned {
    kDepthTest = 7,
    kSourceBlend = 19,
    kDestinationBlend = 20,
    kCullMode = 22,
    kAlphaBlend = 27,
    kBlendOperation = 171,
};
enum : unsigned { kColourOperation = 1, kColourArgument1 = 2, kColourArgument2 = 3 };
const unsigned kTriangleList = 4;

}  // namespace

kaSpriteBatch::kaSpriteBatch() : texture(nullptr) {}


int kaSpriteBatch::Init(unsigned spriteCapacity) {
    list.RemoveAll();
    return kaQuadBatch::Init(spriteCapacity);
}

int kaSpriteBatch::Add(kaSprite* sprite) {
    list.PushBack(sprite);
    return 0;
}

int kaSpriteBatch::Remove(kaSprite* sprite) {
    list.Remove(sprite);
    return 0;
}

int kaSpriteBatch::Draw() {
    if (!isReady()) return 0;
    gDevice->setPixelShader(nullptr);
    const unsigned count = DrawableCount(list);
    WriteSprites(count);
    Bind();
    SetBlendStates();
    gDevice->setTexture(0, texture);
    gDevice->DrawIndexedPrimitive(kTriangleList, 0, 4 * count, 2 * count);
    gDevice->setRenderState(kAlphaBlend, 0);
    gDevice->setRenderState(kDepthTest, 1);
    return 0;
}

void kaSpriteBatch::WriteSprites(unsigned count) {
    // The view matrix's first two columns are the camera's right and up.
    kaMatrix44f view;
    gDevice->getMatrix(KA_TS_VIEW, &view);
    const float r[3] = {view.m[0], view.m[4], view.m[8]};
    const float u[3] = {view.m[1], view.m[5], view.m[9]};
    const float corners[4][4] = {{1, -1, 1, 1}, {1, 1, 1, 0}, {-1, -1, 0, 1}, {-1, 1, 0, 0}};
    vertexBuffer->Lock(0, 0, 0);
    const kaListNode* node = list.getHead();
    for (unsigned i = 0; i < count; ++i, node = node->next) {
        const kaSprite& s = *static_cast<const kaSprite*>(node->item);
        for (const auto& c : corners) {
            const float a = s.size * c[0], b = s.size * c[1];
            WriteVertex(s.x + a * r[0] + b * u[0], s.y + a * r[1] + b * u[1],
                        s.z + a * r[2] + b * u[2], s.colour, c[2], c[3]);
        }
    }
    vertexBuffer->Unlock();
}

void kaSpriteBatch::SetBlendStates() const {
    gDevice->setRenderState(kCullMode, 1);       // none
    gDevice->setRenderState(kDepthTest, 0);
    gDevice->setRenderState(kSourceBlend, 3);    // source colour
    gDevice->setRenderState(kDestinationBlend, 2);  // one
    gDevice->setRenderState(kBlendOperation, 1);    // add
    gDevice->setRenderState(kAlphaBlend, 1);
    gDevice->setTextureState(0, kColourOperation, 4);  // modulate
    gDevice->setTextureState(0, kColourArgument1, 2);  // texture
    gDevice->setTextureState(0, kColourArgument2, 0);  // diffuse
}
