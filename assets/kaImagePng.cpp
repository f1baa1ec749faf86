// PNG decoder of kaImage, through libpng.  Library errors are recorded and
// return control to the decoder through the library's jump buffer.
#include <png.h>

#include <csetjmp>
#include <cstdlib>

#include "kaFileStream.h"
#include "kaImage.h"
#include "kaResult.h"

namespace {

constexpr double kScreenGamma = 2.2;
constexpr double kDefaultFileGamma = 0.45455;

// One decode: the library objects, the buffers to free when the library
// fails, and the result that a failure in the current phase gives.
struct PngDecode {
    png_structp png = nullptr;
    png_infop info = nullptr;
    int failure = KA_ERR_PLATFORM;
    unsigned char* pixels = nullptr;
    png_bytep* rows = nullptr;
    uint32_t width = 0, height = 0, format = 0;
};

// Ends the phase in progress: control returns to DecodePng's setjmp.
void OnPngError(png_structp png, png_const_charp) { png_longjmp(png, 1); }

void OnPngWarning(png_structp, png_const_charp) {}

void ReadPngData(png_structp png, png_bytep out, png_size_t count) {
    kaFileStream* stream = static_cast<kaFileStream*>(png_get_io_ptr(png));
    if (stream->Read(out, static_cast<unsigned>(count)) != count) png_error(png, "short read");
}

// Sets up the transformations: 8 bits per channel, palettes and grey
// expanded, transparency as alpha, gamma for the screen.
int PrepareTransforms(PngDecode& d) {
    png_uint_32 width = 0, height = 0;
    int depth = 0, colourType = 0;
    png_get_IHDR(d.png, d.info, &width, &height, &depth, &colourType, nullptr, nullptr, nullptr);
    if (depth == 16) png_set_strip_16(d.png);
    if (depth < 8) return KA_ERR_UNRECOGNISED;
    if (colourType == PNG_COLOR_TYPE_PALETTE || colourType == PNG_COLOR_TYPE_GRAY ||
        colourType == PNG_COLOR_TYPE_GRAY_ALPHA || png_get_valid(d.png, d.info, PNG_INFO_tRNS))
        png_set_expand(d.png);
    double fileGamma = 0;
    if (!png_get_gAMA(d.png, d.info, &fileGamma)) fileGamma = kDefaultFileGamma;
    png_set_gamma(d.png, kScreenGamma, fileGamma);
    png_set_interlace_handling(d.png);
    d.width = width;
    d.height = height;
    return KA_OK;
}

// Runs the library's phases; a library error comes back to the setjmp with
// the result of the phase it happened in.
int DecodePng(PngDecode& d, kaFileStream* stream) {
    if (setjmp(png_jmpbuf(d.png))) {
        std::free(d.rows);
        d.rows = nullptr;
        return d.failure;
    }
    png_set_read_fn(d.png, stream, ReadPngData);
    png_set_sig_bytes(d.png, 8);
    png_read_info(d.png, d.info);
    const int prepared = PrepareTransforms(d);
    if (prepared != KA_OK) return prepared;
    png_read_update_info(d.png, d.info);

    const png_size_t rowBytes = png_get_rowbytes(d.png, d.info);
    const int format = kaImage::BitsFormat(static_cast<uint32_t>(rowBytes / d.width * 8));
    if (format != KA_IMG_L8 && format != KA_IMG_R8G8B8 && format != KA_IMG_R8G8B8A8)
        return KA_ERR_UNSUPPORTED;
    uint32_t size = 0;
    const int checked = kaImage::LevelSize(format, d.width, d.height, &size);
    if (checked != KA_OK) return checked;
    d.format = format;
    d.pixels = static_cast<unsigned char*>(std::malloc(size));
    d.rows = static_cast<png_bytep*>(std::malloc(d.height * sizeof(png_bytep)));
    if (d.pixels == nullptr || d.rows == nullptr) {
        std::free(d.rows);
        d.rows = nullptr;
        return KA_ERR_OUTOFMEMORY;
    }
    for (uint32_t y = 0; y < d.height; ++y) d.rows[y] = d.pixels + y * rowBytes;

    d.failure = KA_ERR_READFAIL;
    png_read_image(d.png, d.rows);
    std::free(d.rows);
    d.rows = nullptr;
    d.failure = KA_ERR_PLATFORM;
    png_read_end(d.png, nullptr);
    return KA_OK;
}

}  // namespace

int kaImage::LoadPNG(kaFileStream* stream) {
    unsigned char signature[8];
    if (stream->Read(signature, sizeof signature) != sizeof signature ||
        png_sig_cmp(signature, 0, sizeof signature) != 0)
        return KA_ERR_UNRECOGNISED;

    PngDecode d;
    d.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, OnPngError, OnPngWarning);
    if (d.png == nullptr) return KA_ERR_PLATFORM;
    d.info = png_create_info_struct(d.png);
    if (d.info == nullptr) {
        png_destroy_read_struct(&d.png, nullptr, nullptr);
        return KA_ERR_PLATFORM;
    }
    int result = DecodePng(d, stream);
    png_destroy_read_struct(&d.png, &d.info, nullptr);
    if (result == KA_OK) return SetSingleLevel(d.format, d.width, d.height, d.pixels);
    std::free(d.pixels);
    return result;
}
