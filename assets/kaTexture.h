#pragma once

class kaBaseTexture;

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
    void Release();

    char path[kPathBytes];
    kaBaseTexture* texture;
};
