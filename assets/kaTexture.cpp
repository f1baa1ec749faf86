#include "kaTexture.h"

#include <cstdio>
#include <cstring>

#include "kaBaseTexture.h"
#include "kaDeviceGlobal.h"
#include "kaImage.h"
#include "kaMessageBox.h"
#include "kaRenderDevice.h"
#include "kaResult.h"

namespace {

const char kImageDirectory[] = "../xMedia/xImages/";
const char kCaption[] = "KA_ERR_INITFAILED";

constexpr unsigned kDeviceR5G6B5 = 23;
constexpr unsigned kDeviceA8R8G8B8 = 21;
constexpr unsigned FourCC(const char (&code)[5]) {
    return unsigned(code[0]) | unsigned(code[1]) << 8 | unsigned(code[2]) << 16 |
           unsigned(code[3]) << 24;
}

// The device format of a picture, converting it to 32 bits where needed;
// 0 when the conversion fails.
unsigned PrepareFormat(kaImage& image) {
    switch (image.getFormat()) {
        case KA_IMG_R5G6B5: return kDeviceR5G6B5;
        case KA_IMG_R8G8B8A8:
        case KA_IMG_NORMALMAP: return kDeviceA8R8G8B8;
        case KA_IMG_DXT1: return FourCC("DXT1");
        case KA_IMG_DXT3: return FourCC("DXT3");
        case KA_IMG_DXT5: return FourCC("DXT5");
        default: return image.ConvertTo32Bits() == KA_OK ? kDeviceA8R8G8B8 : 0;
    }
}

// Uploads every level the device texture has; the device must have made
// each level the size of the picture's, as it copies a whole level.
int UploadLevels(kaBaseTexture* texture, const kaImage& image, const char* path) {
    unsigned count = 0;
    texture->getLevelCount(&count);
    for (unsigned i = 0; i < count; ++i) {
        unsigned width = 0, height = 0;
        const bool matches = i < image.getLevelCount() &&
                             texture->getLevelDesc(nullptr, &width, &height, nullptr, i) == KA_OK &&
                             width == image.getLevel(i).width &&
                             height == image.getLevel(i).height;
        if (!matches || texture->UpdateBuffer(image.getLevelData(i), i) != KA_OK) {
            ErrorBox(kCaption, "Updating mipmap level %d for texture %s", int(i), path);
            return KA_ERR_INITFAILED;
        }
    }
    return KA_OK;
}

}  // namespace

kaTexture::kaTexture() : path(), texture(nullptr) {}

kaTexture::~kaTexture() { Release(); }

void kaTexture::Release() {
    if (texture == nullptr) return;
    texture->Release();
    texture = nullptr;
}

int kaTexture::Load(const char* name) {
    if (name == nullptr) return KA_ERR_INVALIDARG;
    Release();
    std::memset(path, 0, kPathLimit);
    if (std::strlen(kImageDirectory) + std::strlen(name) >= kPathLimit) {
        ErrorBox(kCaption, "Error reading %s%s", kImageDirectory, name);
        return KA_ERR_INITFAILED;
    }
    std::snprintf(path, kPathLimit, "%s%s", kImageDirectory, name);

    kaImage image;
    if (image.Load(path) != KA_OK) {
        ErrorBox(kCaption, "Error reading %s", path);
        return KA_ERR_INITFAILED;
    }
    return Create(image);
}

int kaTexture::Create(kaImage& image) {
    Release();
    // A cube map would need a cube texture; it is not uploaded as a 2D one.
    if (image.isCubeMap()) {
        ErrorBox(kCaption, "Texture %s is a cube map", path);
        return KA_ERR_INITFAILED;
    }
    const unsigned format = PrepareFormat(image);
    if (format == 0) {
        ErrorBox(kCaption, "Error reading %s", path);
        return KA_ERR_INITFAILED;
    }
    if (image.getLevelCount() == 1 && image.GenerateMipmaps() != KA_OK) {
        ErrorBox(kCaption, "Generating mipmaps for texture %s", path);
        return KA_ERR_INITFAILED;
    }
    uint32_t width = 0, height = 0;
    image.getLevelDesc(0, nullptr, &width, &height);
    if (gDevice == nullptr ||
        gDevice->CreateTexture(&texture, width, height, format, image.getLevelCount(), 0) != KA_OK) {
        texture = nullptr;
        ErrorBox(kCaption, "Creating mipmap level %d for texture %s", 0, path);
        return KA_ERR_INITFAILED;
    }
    if (UploadLevels(texture, image, path) != KA_OK) {
        Release();
        return KA_ERR_INITFAILED;
    }
    return KA_OK;
}
