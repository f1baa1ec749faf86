#pragma once

#include "kaList.h"
#include "kaQuadBatch.h"
#include "kaSprite.h"

class kaBaseTexture;

// Draws camera-facing billboards, all with one texture, added onto the frame
// without depth test.  The records belong to the callers; destruction
// releases the buffers and forgets the records.
class kaSpriteBatch : public kaQuadBatch {
public:
    kaSpriteBatch();

    // 0, or 1 when a buffer cannot be created; empties the list.
    int Init(unsigned spriteCapacity);
    int Add(kaSprite* sprite);
    int Remove(kaSprite* sprite);
    // Draws the listed sprites (the first `capacity` of them) in one call;
    // leaves blending off, the depth test on and culling off.
    int Draw();

    kaBaseTexture* texture;  // not owned; set by the caller before each draw
    kaList list;

private:
    void WriteSprites(unsigned count);
    void SetBlendStates() const;
};
