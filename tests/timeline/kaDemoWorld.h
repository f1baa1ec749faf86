#pragma once

#include <string>

#include "kaMediaTree.h"
#include "kaRecordingDevice.h"
#include "kaRecordingMessageBoxes.h"
#include "kaRenderTypes.h"

class kaVertexBuffer;

// Every object the scenes use, built as start-up builds them from a small
// generated media tree, on the recording device: the shader renderer, the
// overlay and its quad, pictures in texture slots 0 and 1, the flare, a
// two-bone character playing clip 0, clips in every slot the scenes start,
// one-triangle stage models with colour and normal maps, a sky box, the
// sprite batch and table, the camera, the character path and every camera
// path file.  The clip clock runs on a counter the test moves; the music
// stream is a short tone on the sound system (played silently on the clock
// natively).  Everything is released and the globals cleared at the end.
class kaDemoWorld {
public:
    // The character's rest position (its first bone).
    static constexpr kaVector3f kPosition = {5, 6, 7};

    kaDemoWorld();
    ~kaDemoWorld();
    kaDemoWorld(const kaDemoWorld&) = delete;
    kaDemoWorld& operator=(const kaDemoWorld&) = delete;

    // Path file "name" holds these three points a line: (x, 0, 0),
    // (x, 100, 0), (x + 100, 100, 50) with x = 1000 x its number.
    static std::string PathText(int number);

    void AdvanceClock(unsigned milliseconds);

    kaMediaTree media;
    kaRecordingDevice device;
    kaRecordingMessageBoxes boxes;

private:
    void WriteMedia() const;
    void CreateObjects();
    void LoadModels();
};

// Position `index` (x, y or z) of vertex `vertex` of a mesh's vertex buffer.
float BufferPosition(const kaRecordingDevice& device, kaVertexBuffer* buffer, unsigned vertex,
                     unsigned index);
