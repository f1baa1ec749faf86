#pragma once

#include <cstdint>
#include <vector>

#include "kaBaseTexture.h"
#include "kaDeviceCall.h"

class kaRecordingDevice;

// A texture of the recording device: a 2D, cube or volume texture with its
// chain of levels, each (each face of a cube) kept as the bytes last
// uploaded, in the caller's byte order.  Level sizes follow the device's
// rules: 4 bytes a texel for A8R8G8B8, 2 for R5G6B5, 1 for L8, 8 bytes per
// 4 x 4 block for "DXT1" and 16 for "DXT3" and "DXT5"; any other format has
// levels of 0 bytes, so nothing is copied.  Every operation is recorded on the
// device as "Texture.<operation>" with the texture first; `Release` follows
// the reference-count rule and destroys the texture when the count was 1.
class kaRecordingTexture final : public kaBaseTexture {
public:
    enum Kind : unsigned { KIND_2D = 1, KIND_CUBE = 2, KIND_VOLUME = 3 };

    static constexpr unsigned kA8R8G8B8 = 21;
    static constexpr unsigned kR5G6B5 = 23;
    static constexpr unsigned kL8 = 50;
    static constexpr unsigned kDXT1 = 0x31545844;  // "DXT1"
    static constexpr unsigned kDXT3 = 0x33545844;  // "DXT3"
    static constexpr unsigned kDXT5 = 0x35545844;  // "DXT5"

    // Bytes of one level (one face) of the given size; depth 1 for 2D levels.
    static unsigned LevelSize(unsigned format, unsigned width, unsigned height, unsigned depth);
    // Largest width, height or depth the device creates for a kind, as a
    // graphics card of the time would: 4096 for 2D, 2048 for cube, 256 for
    // volume textures.
    static unsigned MaxSize(Kind kind);

    // A `levels` of 0, or more than the full chain, gives the full chain down
    // to 1 x 1 (x 1); sizes of 0 count as 1, as the platform's texture
    // creation adjusts them.
    kaRecordingTexture(kaRecordingDevice& device, Kind kind, unsigned format, unsigned width,
                       unsigned height, unsigned depth, unsigned levels, unsigned usage);
    kaRecordingTexture(const kaRecordingTexture&) = delete;
    kaRecordingTexture& operator=(const kaRecordingTexture&) = delete;

    int UpdateBuffer(void* texels, unsigned level) override;
    int UpdateCubeFaceBuffer(void* texels, unsigned face, unsigned level) override;
    int UpdateVolumeBuffer(void* texels, unsigned level) override;
    int getBuffer(void* texels, unsigned level) override;
    int getCubeFaceBuffer(void* texels, unsigned face, unsigned level) override;
    int getVolumeBuffer(void* texels, unsigned level) override;
    int getLevelDesc(unsigned* format, unsigned* width, unsigned* height, unsigned* depth,
                     unsigned level) override;
    int getLevelCount(unsigned* count) override;
    int Release() override;

    Kind kind() const { return mKind; }
    unsigned format() const { return mFormat; }
    unsigned usage() const { return mUsage; }
    unsigned levelCount() const { return mLevelCount; }
    // Size of a level; the depth of 2D and cube levels is 1.
    unsigned width(unsigned level) const;
    unsigned height(unsigned level) const;
    unsigned depth(unsigned level) const;
    // The bytes of a level (and cube face), zero until uploaded; throws
    // std::out_of_range for a level or face the texture lacks.
    const std::vector<uint8_t>& levelBytes(unsigned level, unsigned face = 0) const;
    bool isUploaded(unsigned level, unsigned face = 0) const;
    // Successful uploads of any level or face.
    unsigned uploadCount() const { return mUploads; }

private:
    friend class kaRecordingDevice;
    ~kaRecordingTexture() = default;

    struct Image {
        std::vector<uint8_t> bytes;
        bool uploaded = false;
    };

    int Transfer(const kaDeviceCall& call, Kind kind, void* texels, unsigned face,
                 unsigned level, bool upload);
    unsigned FaceCount() const { return mKind == KIND_CUBE ? 6 : 1; }
    const Image& ImageAt(unsigned level, unsigned face) const;

    kaRecordingDevice& mDevice;
    Kind mKind;
    unsigned mFormat;
    unsigned mUsage;
    unsigned mWidth, mHeight, mDepth;
    unsigned mLevelCount;
    std::vector<Image> mImages;  // level by level, the faces of a level together
    unsigned mUploads = 0;
};
