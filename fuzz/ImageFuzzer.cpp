// Pictures of every format along the texture loader's path: detection and
// decoding from memory, then conversion to a device format, the mip chain
// and the upload to a recording device that copies every level whole.
#include <cstddef>
#include <cstdint>

#include "kaFuzzDevice.h"
#include "kaFuzzExpect.h"
#include "kaImage.h"
#include "kaMemoryStream.h"
#include "kaResult.h"
#include "kaTexture.h"

namespace {

// Every entry of a level table holds exactly the bytes its size rule asks
// for; entries past the 1 x 1 level of a chain are empty.
void ExpectConsistentLevels(const kaImage& image) {
    const uint32_t faces = image.isCubeMap() ? 6 : 1;
    for (uint32_t level = 0; level < image.getLevelCount(); ++level) {
        for (uint32_t face = 0; face < faces; ++face) {
            const kaImageLevel& entry = image.getLevel(level, face);
            if (entry.width == 0 && entry.height == 0) {
                FuzzExpect(level > 0 && entry.size == 0 && entry.data == nullptr,
                           "only surplus levels are empty");
                continue;
            }
            uint32_t size = 0;
            FuzzExpect(kaImage::LevelSize(image.getFormat(), entry.width, entry.height, &size) ==
                           KA_OK,
                       "a level has a size");
            FuzzExpect(entry.size == size && entry.data != nullptr, "a level holds its size");
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    kaMemoryStream stream(data, size);
    kaImage image;
    if (image.LoadFromStream(&stream) != KA_OK) {
        FuzzExpect(image.getLevelCount() == 0 && image.getFormat() == 0,
                   "a failed load leaves an empty image");
        return 0;
    }
    FuzzExpect(image.getLevelCount() > 0, "a loaded image has a level");
    ExpectConsistentLevels(image);

    kaFuzzDevice stage;
    kaTexture texture;
    if (texture.Create(image) == KA_OK) {
        FuzzExpect(texture.texture != nullptr, "a created texture has its device texture");
        ExpectConsistentLevels(image);
    }
    return 0;
}
