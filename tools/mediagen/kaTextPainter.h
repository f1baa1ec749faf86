#pragma once

#include <string>

#include "kaPicture.h"

// Draws text into pictures with FreeType, anti-aliased, from one font file.
class kaTextPainter {
public:
    kaTextPainter() = default;
    ~kaTextPainter();
    kaTextPainter(const kaTextPainter&) = delete;
    kaTextPainter& operator=(const kaTextPainter&) = delete;

    // False when FreeType or the font cannot be opened.
    bool Open(const std::string& fontPath);
    // Draws one line with its baseline at y, centred on x.
    void Centred(kaPicture& picture, const std::string& text, int x, int y, int pixels,
                 kaPicture::Colour colour);

private:
    int Advance(const std::string& text);

    struct FT_LibraryRec_* mLibrary = nullptr;
    struct FT_FaceRec_* mFace = nullptr;
};
