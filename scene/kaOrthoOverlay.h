#pragma once

#include "kaList.h"
#include "kaOverlayQuad.h"
#include "kaQuadBatch.h"

// Draws screen-space rectangles over the scene with an orthographic
// projection.  The records belong to the callers, who also set blending and
// the texture stages.
class kaOrthoOverlay : public kaQuadBatch {
public:
    // 0, or 1 when a buffer cannot be created; empties the list.
    int Init(unsigned quadCapacity);
    int Add(kaOverlayQuad* quad);
    int Remove(kaOverlayQuad* quad);
    // Draws the listed quads (the first `capacity` of them) with the depth
    // test off, which it stays; the camera matrices come back as they were.
    int Draw();

    kaList list;

private:
    void WriteQuads(unsigned count);
};
