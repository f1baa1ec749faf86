#pragma once

#include <cstdint>

class kaFileStream;

// Pixel formats of a decoded picture.  Bit 0x80 marks block-compressed data.
enum kaImageFormat : uint32_t {
    KA_IMG_L8 = 1,
    KA_IMG_R5G6B5 = 2,
    KA_IMG_R8G8B8 = 3,
    KA_IMG_R8G8B8A8 = 4,
    KA_IMG_NORMALMAP = 5,
    KA_IMG_DXT1 = 0x81,
    KA_IMG_DXT3 = 0x83,
    KA_IMG_DXT5 = 0x85,
};

// One mip level (or one face of a level): tightly packed rows, top row first.
struct kaImageLevel {
    uint32_t width;
    uint32_t height;
    uint32_t size;
    unsigned char* data;  // owned, allocated with malloc
};

// A decoded picture: one or more mip levels, six faces per level for a cube
// map (entry 6 * level + face).  32-bit pixels are stored R, G, B, A.
// Pictures are detected by content, never by file name.
class kaImage {
public:
    // Pictures whose pixels would take more bytes than this at 32 bits per
    // pixel are refused: 4096 x 4096, the largest texture a Direct3D 8
    // device takes.  A few bytes of a compressed file can announce any size;
    // the limit bounds what a load allocates and decodes, keeps every size
    // computed from a header within 32 bits and every row short enough for
    // the mip filters' single-precision positions.
    static constexpr uint64_t kMaxPixelBytes = 4096u * 4096u * 4u;

    kaImage();
    ~kaImage();
    kaImage(const kaImage&) = delete;
    kaImage& operator=(const kaImage&) = delete;

    int Load(const char* path);
    int LoadFromStream(kaFileStream* stream);
    int Release();

    uint32_t getLevelCount() const { return mLevelCount; }
    int getLevelDesc(uint32_t level, uint32_t* format, uint32_t* width, uint32_t* height) const;
    unsigned char* getLevelData(uint32_t level) const { return mLevels[LevelIndex(level)].data; }
    uint32_t getFormat() const { return mFormat; }
    int isCubeMap() const { return mCube; }
    // Entry of one face of one level (face 0 for a plain picture).
    const kaImageLevel& getLevel(uint32_t level, uint32_t face = 0) const {
        return mLevels[LevelIndex(level) + face];
    }

    int ConvertTo32Bits();
    // Marks a 32-bit picture as a normal map, so its mip levels are built
    // with the normal-map filter; 6 for any other format.
    int SetNormalMap();
    int GenerateMipmaps();

    int LoadBMP(kaFileStream* stream);
    int LoadTGA(kaFileStream* stream);
    int LoadPNG(kaFileStream* stream);
    int LoadJPEG(kaFileStream* stream);
    int LoadDDS(kaFileStream* stream);

    // Bits per pixel of a format (0 for block-compressed and unknown codes)
    // and the format of a bit count (-1 when there is none).
    static uint32_t FormatBits(uint32_t format);
    static int BitsFormat(uint32_t bits);
    // Bytes of one level by the size rule: 0, or 7 for an empty picture or
    // an unknown format, 4 for a picture too large to hold.
    static int LevelSize(uint32_t format, uint32_t width, uint32_t height, uint32_t* size);
    // Exchanges bytes 0 and 2 of every pixel (B, G, R becomes R, G, B).
    static void SwapRedBlue(unsigned char* data, uint64_t pixels, uint32_t pixelBytes);

private:
    uint32_t FaceCount() const { return mCube ? 6u : 1u; }
    uint32_t LevelIndex(uint32_t level) const { return level * FaceCount(); }
    // Installs a single level that takes over data.
    int SetSingleLevel(uint32_t format, uint32_t width, uint32_t height, unsigned char* data);
    // Releases the picture and answers result: a failed load leaves nothing.
    int Fail(int result) {
        Release();
        return result;
    }
    static void FreeLevels(kaImageLevel* levels, uint32_t count);
    // Helpers of the bitmap, TGA and DDS decoders.  Offsets count from base,
    // the position of the file's first byte in the stream.
    static bool StreamHolds(kaFileStream* stream, uint64_t end);
    static int ReadRows(kaFileStream* stream, uint64_t start, uint32_t stride,
                        uint32_t rowBytes, uint32_t height, bool bottomUp,
                        unsigned char* out);

    int32_t mCube;
    uint32_t mFormat;
    uint32_t mLevelCount;
    kaImageLevel* mLevels;
};
