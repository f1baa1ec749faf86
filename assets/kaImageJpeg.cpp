// JPEG decoder of kaImage, through libjpeg (API 62), reading the whole file
// from memory.  Library errors return control to the decoder with longjmp.
#include <cstdio>
#include <cstdlib>

#include <jpeglib.h>

#include <csetjmp>

#include "kaFileStream.h"
#include "kaImage.h"
#include "kaResult.h"

namespace {

struct JpegError {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
};

void OnJpegError(j_common_ptr info) {
    std::longjmp(reinterpret_cast<JpegError*>(info->err)->jump, 1);
}

// Warnings (a file cut short, for instance) are not printed.
void OnJpegMessage(j_common_ptr) {}

void InitSource(j_decompress_ptr) {}
void TermSource(j_decompress_ptr) {}

// The whole file is in memory; when the data runs out the library is given
// an end-of-image marker, so it never reads past the buffer.
boolean FillInput(j_decompress_ptr info) {
    static const JOCTET kEndOfImage[2] = {0xFF, JPEG_EOI};
    info->src->next_input_byte = kEndOfImage;
    info->src->bytes_in_buffer = sizeof kEndOfImage;
    return TRUE;
}

void SkipInput(j_decompress_ptr info, long count) {
    if (count <= 0) return;
    jpeg_source_mgr* source = info->src;
    if (static_cast<unsigned long>(count) > source->bytes_in_buffer) {
        FillInput(info);
        return;
    }
    source->next_input_byte += count;
    source->bytes_in_buffer -= count;
}

// One decode: the library objects, the buffers and the result that a
// library failure in the current phase gives.
struct JpegDecode {
    jpeg_decompress_struct info;
    JpegError error;
    jpeg_source_mgr source;
    int failure = KA_ERR_PLATFORM;
    bool created = false;
    unsigned char* pixels = nullptr;
    uint32_t format = 0;
};

int DecodeJpeg(JpegDecode& d, const unsigned char* file, uint32_t fileSize) {
    d.info.err = jpeg_std_error(&d.error.manager);
    d.error.manager.error_exit = OnJpegError;
    d.error.manager.output_message = OnJpegMessage;
    if (setjmp(d.error.jump)) return d.failure;
    jpeg_create_decompress(&d.info);
    d.created = true;

    d.source.next_input_byte = file;
    d.source.bytes_in_buffer = fileSize;
    d.source.init_source = InitSource;
    d.source.fill_input_buffer = FillInput;
    d.source.skip_input_data = SkipInput;
    d.source.resync_to_restart = jpeg_resync_to_restart;
    d.source.term_source = TermSource;
    d.info.src = &d.source;
    jpeg_save_markers(&d.info, JPEG_COM, 0);
    for (int marker = 0; marker < 16; ++marker) jpeg_save_markers(&d.info, JPEG_APP0 + marker, 0);

    d.failure = KA_ERR_READFAIL;
    jpeg_read_header(&d.info, TRUE);
    d.failure = KA_ERR_PLATFORM;
    // The picture's size is checked before the library allocates for it: a
    // progressive file keeps the whole picture's coefficients, so a header
    // that claims a huge picture would cost gigabytes before a pixel is out.
    jpeg_calc_output_dimensions(&d.info);
    const int components = d.info.output_components;
    if (components != 1 && components != 3) return KA_ERR_UNSUPPORTED;
    d.format = components == 1 ? KA_IMG_L8 : KA_IMG_R8G8B8;
    uint32_t size = 0;
    const int checked = kaImage::LevelSize(d.format, d.info.output_width, d.info.output_height, &size);
    if (checked != KA_OK) return checked;
    jpeg_start_decompress(&d.info);
    d.pixels = static_cast<unsigned char*>(std::malloc(size));
    if (d.pixels == nullptr) return KA_ERR_OUTOFMEMORY;

    d.failure = KA_ERR_READFAIL;
    const size_t rowBytes = size_t(components) * d.info.output_width;
    while (d.info.output_scanline < d.info.output_height) {
        JSAMPROW row = d.pixels + d.info.output_scanline * rowBytes;
        jpeg_read_scanlines(&d.info, &row, 1);
    }
    d.failure = KA_ERR_PLATFORM;
    jpeg_finish_decompress(&d.info);
    return KA_OK;
}

}  // namespace

int kaImage::LoadJPEG(kaFileStream* stream) {
    const int position = stream->Tell();
    const unsigned total = stream->getSize();
    if (position < 0 || static_cast<unsigned>(position) > total) return KA_ERR_READFAIL;
    const uint32_t fileSize = total - position;
    unsigned char* file = static_cast<unsigned char*>(std::malloc(fileSize ? fileSize : 1));
    if (file == nullptr) return KA_ERR_OUTOFMEMORY;
    if (stream->Read(file, fileSize) != fileSize) {
        std::free(file);
        return KA_ERR_READFAIL;
    }

    JpegDecode d;
    const int result = DecodeJpeg(d, file, fileSize);
    if (d.created) jpeg_destroy_decompress(&d.info);
    std::free(file);
    if (result != KA_OK) {
        std::free(d.pixels);
        return result;
    }
    return SetSingleLevel(d.format, d.info.output_width, d.info.output_height, d.pixels);
}
