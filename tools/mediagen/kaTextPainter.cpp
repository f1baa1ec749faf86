#include "kaTextPainter.h"

#include <ft2build.h>
#include FT_FREETYPE_H

kaTextPainter::~kaTextPainter() {
    if (mFace != nullptr) FT_Done_Face(mFace);
    if (mLibrary != nullptr) FT_Done_FreeType(mLibrary);
}

bool kaTextPainter::Open(const std::string& fontPath) {
    if (mLibrary == nullptr && FT_Init_FreeType(&mLibrary) != 0) {
        mLibrary = nullptr;
        return false;
    }
    if (mFace != nullptr) FT_Done_Face(mFace);
    mFace = nullptr;
    return FT_New_Face(mLibrary, fontPath.c_str(), 0, &mFace) == 0;
}

int kaTextPainter::Advance(const std::string& text) {
    int width = 0;
    for (unsigned char c : text) {
        if (FT_Load_Char(mFace, c, FT_LOAD_DEFAULT) == 0) width += int(mFace->glyph->advance.x >> 6);
    }
    return width;
}

void kaTextPainter::Centred(kaPicture& picture, const std::string& text, int x, int y, int pixels,
                            kaPicture::Colour colour) {
    if (mFace == nullptr || FT_Set_Pixel_Sizes(mFace, 0, FT_UInt(pixels)) != 0) return;
    int pen = x - Advance(text) / 2;
    for (unsigned char c : text) {
        if (FT_Load_Char(mFace, c, FT_LOAD_RENDER) != 0) continue;
        const FT_GlyphSlot glyph = mFace->glyph;
        const FT_Bitmap& bitmap = glyph->bitmap;
        for (unsigned row = 0; row < bitmap.rows; ++row) {
            for (unsigned column = 0; column < bitmap.width; ++column) {
                const unsigned char value = bitmap.buffer[int(row) * bitmap.pitch + int(column)];
                if (value != 0)
                    picture.Blend(pen + glyph->bitmap_left + int(column), y - glyph->bitmap_top + int(row),
                                  colour, value / 255.0f);
            }
        }
        pen += int(glyph->advance.x >> 6);
    }
}
