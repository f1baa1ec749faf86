#pragma once

class kaBaseTexture;
class kaImage;

// A texture loaded by name from "../xMedia/xImages/": decoded, converted to
// a device format, given a full mip chain and uploaded to gDevice.
class kaTexture {
public:
    static constexpr unsigned kPathBytes = 512;
    // Only this much of the path buffer holds the path (with its terminator).
    static constexpr unsigned kPathLimit = 256;

    kaTexture();
    ~kaTexture();
    kaTexture(const kaTexture&) = delete;
    kaTexture& operator=(const kaTexture&) = delete;

    // 0, 2 for a null name, 11 after a message box.
    int Load(const char* name);
    // The steps of Load after decoding: converts the picture, completes its
    // mip chain and uploads it; 0, or 11 after a message box that names path.
    int Create(kaImage& image);
    void Release();

    char path[kPathBytes];
    kaBaseTexture* texture;
};
