#include "kaTexture.h"

#include <cstdint>
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

// The caller's packed layout of a level in a device format: bytes of a row
// of texels (of 4 x 4 blocks for the compressed formats) and the number of
// rows.  Formats of unknown size have none, and the device copies nothing.
struct LevelLayout {
    uint64_t rowBytes;
    uint64_t rows;

    uint64_t bytes() const { return rowBytes * rows; }
    bool operator==(const LevelLayout& other) const {
        return rowBytes == other.rowBytes && rows == other.rows;
    }
};

LevelLayout LayoutOf(unsigned format, uint64_t width, uint64_t height) {
    const uint64_t blocksAcross = (width + 3) / 4, blocksDown = (height + 3) / 4;
    switch (format) {
        case kDeviceA8R8G8B8: return {width * 4, height};
        case kDeviceR5G6B5: return {width * 2, height};
        case FourCC("DXT1"): return {blocksAcross * 8, blocksDown};
        case FourCC("DXT3"):
        case FourCC("DXT5"): return {blocksAcross * 16, blocksDown};
        default: return {0, 0};
    }
}

// Whether device level i takes picture level i as it is: the same format,
// and the same rows of the same bytes, which also makes the device's copy
// exactly as long as the picture's level.  A block-compressed level that the
// device widened to whole blocks holds the same blocks as the picture's.
bool LevelFits(kaBaseTexture* texture, const kaImage& image, unsigned format, unsigned i) {
    unsigned levelFormat = 0, width = 0, height = 0;
    if (i >= image.getLevelCount() ||
        texture->getLevelDesc(&levelFormat, &width, &height, nullptr, i) != KA_OK) {
        return false;
    }
    const kaImageLevel& level = image.getLevel(i);
    const LevelLayout picture = LayoutOf(format, level.width, level.height);
    return levelFormat == format && picture.bytes() != 0 && picture.bytes() == level.size &&
           LayoutOf(levelFormat, width, height) == picture;
}

// A device without the picture's format makes the texture in another one.
// 16-bit pictures widen exactly to 32 bits; any other change is refused by
// the level check.
void AdoptDeviceFormat(kaBaseTexture* texture, kaImage& image, unsigned& format) {
    unsigned made = format;
    texture->getLevelDesc(&made, nullptr, nullptr, nullptr, 0);
    if (format == kDeviceR5G6B5 && made == kDeviceA8R8G8B8 && image.ConvertTo32Bits() == KA_OK) {
        format = made;
    }
}

// Uploads every level the device texture has; each must take the picture's
// level of the same number as it is (LevelFits).
int UploadLevels(kaBaseTexture* texture, kaImage& image, unsigned format, const char* path) {
    AdoptDeviceFormat(texture, image, format);
    unsigned count = 0;
    texture->getLevelCount(&count);
    for (unsigned i = 0; i < count; ++i) {
        if (!LevelFits(texture, image, format, i) ||
            texture->UpdateBuffer(image.getLevelData(i), i) != KA_OK) {
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
    if (UploadLevels(texture, image, format, path) != KA_OK) {
        Release();
        return KA_ERR_INITFAILED;
    }
    return KA_OK;
}
