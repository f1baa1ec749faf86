// TDM models: the reader from memory, then the mesh model built from what it
// read, with its vertex buffers filled on a recording device and a tangent
// frame per vertex.  Material textures are looked up below the working
// folder's parent, where the runner keeps no media, so each fails after its
// box.
#include <cstddef>
#include <cstdint>

#include "kaFuzzDevice.h"
#include "kaFuzzExpect.h"
#include "kaMeshModel.h"
#include "kaTDMReader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    kaTDMReader reader;
    if (!reader.OpenMemory(data, size)) {
        FuzzExpect(reader.getError() < 0 && reader.getMeshCount() == 0,
                   "a refused model says why and keeps nothing");
        return 0;
    }
    kaFuzzDevice stage;
    kaMeshModel model;
    model.Build(reader);
    FuzzExpect(model.meshCount == reader.getMeshCount() && model.meshes.size() == model.meshCount,
               "every mesh is built");
    for (const kaMesh& mesh : model.meshes) {
        FuzzExpect((mesh.buffer != nullptr) == (mesh.faceCount != 0),
                   "a mesh with faces has its vertex buffer");
        FuzzExpect(mesh.frames.size() == (mesh.coordCount != 0 ? mesh.vertexCount : 0),
                   "a textured mesh has a frame per vertex");
    }
    return 0;
}
