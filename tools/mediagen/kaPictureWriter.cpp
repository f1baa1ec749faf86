#include "kaPictureWriter.h"

// jpeglib.h needs the standard I/O declarations first.
#include <cstdio>

#include <jpeglib.h>
#include <png.h>

#include <vector>

#include "kaBinaryWriter.h"
#include "kaDxtEncoder.h"

namespace {

void AppendPng(png_structp png, png_bytep data, png_size_t length) {
    static_cast<std::string*>(png_get_io_ptr(png))->append(reinterpret_cast<const char*>(data), length);
}

void FlushPng(png_structp) {}

// The picture's rows as 3- or 4-byte pixels.
std::vector<uint8_t> Packed(const kaPicture& picture, int channels) {
    std::vector<uint8_t> out;
    out.reserve(size_t(picture.width()) * picture.height() * channels);
    const std::vector<uint8_t>& px = picture.pixels();
    for (size_t i = 0; i < px.size(); i += 4) out.insert(out.end(), &px[i], &px[i] + channels);
    return out;
}

// One row of pixels in blue, green, red(, alpha) order for TGA and BMP.
void PutBgrRow(kaBinaryWriter& out, const kaPicture& picture, int y, bool alpha) {
    for (int x = 0; x < picture.width(); ++x) {
        const uint8_t* p = &picture.pixels()[(size_t(y) * picture.width() + x) * 4];
        out.U8(p[2]);
        out.U8(p[1]);
        out.U8(p[0]);
        if (alpha) out.U8(p[3]);
    }
}

}  // namespace

std::string kaPictureWriter::Png(const kaPicture& picture) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (png == nullptr) return {};
    png_infop info = png_create_info_struct(png);
    std::string bytes;
    const bool alpha = picture.hasAlpha();
    std::vector<uint8_t> data = Packed(picture, alpha ? 4 : 3);
    std::vector<png_bytep> rows;
    const size_t stride = size_t(picture.width()) * (alpha ? 4 : 3);
    for (int y = 0; y < picture.height(); ++y) rows.push_back(&data[y * stride]);
    if (info == nullptr || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return {};
    }
    png_set_write_fn(png, &bytes, AppendPng, FlushPng);
    png_set_IHDR(png, info, png_uint_32(picture.width()), png_uint_32(picture.height()), 8,
                 alpha ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_compression_level(png, 9);
    png_write_info(png, info);
    png_write_image(png, rows.data());
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return bytes;
}

std::string kaPictureWriter::Jpeg(const kaPicture& picture, int quality) {
    jpeg_compress_struct cinfo;
    jpeg_error_mgr error;
    cinfo.err = jpeg_std_error(&error);
    jpeg_create_compress(&cinfo);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = JDIMENSION(picture.width());
    cinfo.image_height = JDIMENSION(picture.height());
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    cinfo.write_JFIF_header = TRUE;
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<uint8_t> data = Packed(picture, 3);
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row = &data[size_t(cinfo.next_scanline) * picture.width() * 3];
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    std::string bytes(reinterpret_cast<const char*>(buffer), size);
    std::free(buffer);
    return bytes;
}

std::string kaPictureWriter::Tga(const kaPicture& picture) {
    const bool alpha = picture.hasAlpha();
    kaBinaryWriter out;
    out.U8(0);  // no identification field
    out.U8(0);  // no colour map
    out.U8(2);  // uncompressed true colour
    for (int i = 0; i < 5; ++i) out.U8(0);
    out.U16(0);
    out.U16(0);
    out.U16(unsigned(picture.width()));
    out.U16(unsigned(picture.height()));
    out.U8(alpha ? 32 : 24);
    out.U8(alpha ? 0x08 : 0x20);
    for (int i = 0; i < picture.height(); ++i) {
        PutBgrRow(out, picture, alpha ? picture.height() - 1 - i : i, alpha);
    }
    return out.data();
}

std::string kaPictureWriter::Bmp(const kaPicture& picture) {
    const uint32_t rowBytes = (uint32_t(picture.width()) * 3 + 3) & ~3u;
    const uint32_t imageBytes = rowBytes * uint32_t(picture.height());
    kaBinaryWriter out;
    out.Bytes("BM", 2);
    out.U32(14 + 40 + imageBytes);
    out.U32(0);
    out.U32(14 + 40);
    out.U32(40);
    out.U32(uint32_t(picture.width()));
    out.U32(uint32_t(picture.height()));
    out.U16(1);
    out.U16(24);
    out.U32(0);  // no compression
    out.U32(imageBytes);
    out.U32(2835);  // 72 dots per inch
    out.U32(2835);
    out.U32(0);
    out.U32(0);
    for (int y = picture.height() - 1; y >= 0; --y) {
        PutBgrRow(out, picture, y, false);
        for (uint32_t pad = uint32_t(picture.width()) * 3; pad < rowBytes; ++pad) out.U8(0);
    }
    return out.data();
}

std::string kaPictureWriter::Dds(const kaPicture& picture) {
    const bool alpha = picture.hasAlpha();
    std::vector<kaPicture> levels{picture};
    while (levels.back().width() > 1 || levels.back().height() > 1) levels.push_back(levels.back().Half());
    const uint32_t blockBytes = alpha ? 16 : 8;
    kaBinaryWriter out;
    out.Bytes("DDS ", 4);
    out.U32(124);
    out.U32(0x1 | 0x2 | 0x4 | 0x1000 | 0x20000 | 0x80000);  // caps, size, format, mips, linear size
    out.U32(uint32_t(picture.height()));
    out.U32(uint32_t(picture.width()));
    out.U32(uint32_t((picture.width() + 3) / 4) * uint32_t((picture.height() + 3) / 4) * blockBytes);
    out.U32(0);
    out.U32(uint32_t(levels.size()));
    for (int i = 0; i < 11; ++i) out.U32(0);
    out.U32(32);   // pixel format size
    out.U32(0x4);  // four-character code
    out.Bytes(alpha ? "DXT5" : "DXT1", 4);
    for (int i = 0; i < 5; ++i) out.U32(0);
    out.U32(0x1000 | 0x400000 | 0x8);  // texture, mip map, complex
    for (int i = 0; i < 4; ++i) out.U32(0);
    for (const kaPicture& level : levels) {
        const std::string blocks = alpha ? kaDxtEncoder::Dxt5(level) : kaDxtEncoder::Dxt1(level);
        out.Bytes(blocks.data(), blocks.size());
    }
    return out.data();
}
