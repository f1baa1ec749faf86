#include "kaRecordingTexture.h"

#include <algorithm>
#include <stdexcept>

#include "kaRecordingDevice.h"
#include "kaResult.h"

namespace {

unsigned Halved(unsigned size, unsigned level) {
    return std::max(1u, size >> std::min(level, 31u));
}

unsigned FullChainLength(unsigned width, unsigned height, unsigned depth) {
    unsigned largest = std::max({width, height, depth});
    unsigned levels = 1;
    while (largest > 1) {
        largest >>= 1;
        ++levels;
    }
    return levels;
}

}  // namespace

unsigned kaRecordingTexture::LevelSize(unsigned format, unsigned width, unsigned height,
                                       unsigned depth) {
    const unsigned blocks = ((width + 3) / 4) * ((height + 3) / 4);
    switch (format) {
        case kA8R8G8B8: return width * height * depth * 4;
        case kR5G6B5: return width * height * depth * 2;
        case kL8: return width * height * depth;
        case kDXT1: return blocks * 8 * depth;
        case kDXT3:
        case kDXT5: return blocks * 16 * depth;
        default: return 0;
    }
}

unsigned kaRecordingTexture::MaxSize(Kind kind) {
    switch (kind) {
        case KIND_CUBE: return 2048;
        case KIND_VOLUME: return 256;
        default: return 4096;
    }
}

kaRecordingTexture::kaRecordingTexture(kaRecordingDevice& device, Kind kind, unsigned format,
                                       unsigned width, unsigned height, unsigned depth,
                                       unsigned levels, unsigned usage)
    : mDevice(device),
      mKind(kind),
      mFormat(format),
      mUsage(usage),
      mWidth(std::max(width, 1u)),
      mHeight(std::max(height, 1u)),
      mDepth(kind == KIND_VOLUME ? std::max(depth, 1u) : 1u) {
    const unsigned full = FullChainLength(mWidth, mHeight, mDepth);
    mLevelCount = levels == 0 || levels > full ? full : levels;
    for (unsigned level = 0; level < mLevelCount; ++level) {
        const unsigned bytes =
            LevelSize(mFormat, this->width(level), this->height(level), this->depth(level));
        for (unsigned face = 0; face < FaceCount(); ++face) {
            mImages.push_back(Image{std::vector<uint8_t>(bytes), false});
        }
    }
}

unsigned kaRecordingTexture::width(unsigned level) const { return Halved(mWidth, level); }
unsigned kaRecordingTexture::height(unsigned level) const { return Halved(mHeight, level); }
unsigned kaRecordingTexture::depth(unsigned level) const { return Halved(mDepth, level); }

const kaRecordingTexture::Image& kaRecordingTexture::ImageAt(unsigned level,
                                                             unsigned face) const {
    if (level >= mLevelCount || face >= FaceCount()) {
        throw std::out_of_range("the texture has no such level or face");
    }
    return mImages[level * FaceCount() + face];
}

const std::vector<uint8_t>& kaRecordingTexture::levelBytes(unsigned level,
                                                           unsigned face) const {
    return ImageAt(level, face).bytes;
}

bool kaRecordingTexture::isUploaded(unsigned level, unsigned face) const {
    return ImageAt(level, face).uploaded;
}

// The device exchanges red and blue of A8R8G8B8 texels on the way in and out;
// through the interface the caller sees its own byte order both ways, so the
// bytes are kept as given.
int kaRecordingTexture::Transfer(const kaDeviceCall& call, Kind kind, void* texels,
                                 unsigned face, unsigned level, bool upload) {
    if (int injected = mDevice.Record(call)) return injected;
    if (kind != mKind) return KA_ERR_WRONGSTATE;
    if (texels == nullptr) return KA_ERR_INVALIDARG;
    if (level >= mLevelCount || face >= FaceCount()) return KA_ERR_PLATFORM;
    Image& image = mImages[level * FaceCount() + face];
    if (upload) {
        std::copy_n(static_cast<const uint8_t*>(texels), image.bytes.size(), image.bytes.begin());
        image.uploaded = true;
        ++mUploads;
    } else {
        std::copy(image.bytes.begin(), image.bytes.end(), static_cast<uint8_t*>(texels));
    }
    return KA_OK;
}

int kaRecordingTexture::UpdateBuffer(void* texels, unsigned level) {
    return Transfer(kaDeviceCall("Texture.UpdateBuffer") << this << texels << level, KIND_2D,
                    texels, 0, level, true);
}

int kaRecordingTexture::UpdateCubeFaceBuffer(void* texels, unsigned face, unsigned level) {
    return Transfer(kaDeviceCall("Texture.UpdateCubeFaceBuffer") << this << texels << face << level,
                    KIND_CUBE, texels, face, level, true);
}

int kaRecordingTexture::UpdateVolumeBuffer(void* texels, unsigned level) {
    return Transfer(kaDeviceCall("Texture.UpdateVolumeBuffer") << this << texels << level,
                    KIND_VOLUME, texels, 0, level, true);
}

int kaRecordingTexture::getBuffer(void* texels, unsigned level) {
    return Transfer(kaDeviceCall("Texture.getBuffer") << this << texels << level, KIND_2D,
                    texels, 0, level, false);
}

int kaRecordingTexture::getCubeFaceBuffer(void* texels, unsigned face, unsigned level) {
    return Transfer(kaDeviceCall("Texture.getCubeFaceBuffer") << this << texels << face << level,
                    KIND_CUBE, texels, face, level, false);
}

int kaRecordingTexture::getVolumeBuffer(void* texels, unsigned level) {
    return Transfer(kaDeviceCall("Texture.getVolumeBuffer") << this << texels << level,
                    KIND_VOLUME, texels, 0, level, false);
}

int kaRecordingTexture::getLevelDesc(unsigned* format, unsigned* width, unsigned* height,
                                     unsigned* depth, unsigned level) {
    if (int injected = mDevice.Record(kaDeviceCall("Texture.getLevelDesc") << this << level)) {
        return injected;
    }
    if (level >= mLevelCount) return KA_ERR_PLATFORM;
    if (format != nullptr) *format = mFormat;
    if (width != nullptr) *width = this->width(level);
    if (height != nullptr) *height = this->height(level);
    if (depth != nullptr) *depth = mKind == KIND_VOLUME ? this->depth(level) : 0;
    return KA_OK;
}

int kaRecordingTexture::getLevelCount(unsigned* count) {
    if (int injected = mDevice.Record(kaDeviceCall("Texture.getLevelCount") << this)) {
        return injected;
    }
    if (count == nullptr) return KA_ERR_INVALIDARG;
    *count = mLevelCount;
    return KA_OK;
}

int kaRecordingTexture::Release() {
    if (int injected = mDevice.Record(kaDeviceCall("Texture.Release") << this)) return injected;
    const unsigned before = getRefCount();
    DecRef();
    if (before == 1) mDevice.Destroy(this);
    return KA_OK;
}
