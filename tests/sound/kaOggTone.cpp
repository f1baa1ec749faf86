#include "kaOggTone.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include <vorbis/vorbisenc.h>

namespace {

constexpr double kPi = 3.14159265358979323846;

void AppendPage(const ogg_page& page, std::string& out) {
    out.append(reinterpret_cast<const char*>(page.header), page.header_len);
    out.append(reinterpret_cast<const char*>(page.body), page.body_len);
}

// Moves every finished packet of the encoder into the Ogg stream and every
// full page into out.
void Drain(vorbis_dsp_state& dsp, vorbis_block& block, ogg_stream_state& stream, std::string& out) {
    ogg_packet packet;
    ogg_page page;
    while (vorbis_analysis_blockout(&dsp, &block) == 1) {
        vorbis_analysis(&block, nullptr);
        vorbis_bitrate_addblock(&block);
        while (vorbis_bitrate_flushpacket(&dsp, &packet)) {
            ogg_stream_packetin(&stream, &packet);
            while (ogg_stream_pageout(&stream, &page)) AppendPage(page, out);
        }
    }
}

}  // namespace

std::string EncodeOgg(int channels, int rate, int frames,
                      const std::function<float(int, int)>& signal, int serial) {
    vorbis_info info;
    vorbis_info_init(&info);
    if (vorbis_encode_init_vbr(&info, channels, rate, 0.8f) != 0) {
        vorbis_info_clear(&info);
        throw std::runtime_error("vorbisenc refused the format");
    }
    vorbis_comment comment;
    vorbis_comment_init(&comment);
    vorbis_dsp_state dsp;
    vorbis_analysis_init(&dsp, &info);
    vorbis_block block;
    vorbis_block_init(&dsp, &block);
    ogg_stream_state stream;
    ogg_stream_init(&stream, serial);

    std::string out;
    ogg_packet header, commentHeader, codeHeader;
    vorbis_analysis_headerout(&dsp, &comment, &header, &commentHeader, &codeHeader);
    ogg_stream_packetin(&stream, &header);
    ogg_stream_packetin(&stream, &commentHeader);
    ogg_stream_packetin(&stream, &codeHeader);
    ogg_page page;
    while (ogg_stream_flush(&stream, &page)) AppendPage(page, out);

    constexpr int kChunk = 1024;
    for (int start = 0; start < frames; start += kChunk) {
        const int count = std::min(kChunk, frames - start);
        float** buffer = vorbis_analysis_buffer(&dsp, count);
        for (int c = 0; c < channels; ++c) {
            for (int i = 0; i < count; ++i) buffer[c][i] = signal(c, start + i);
        }
        vorbis_analysis_wrote(&dsp, count);
        Drain(dsp, block, stream, out);
    }
    vorbis_analysis_wrote(&dsp, 0);
    Drain(dsp, block, stream, out);
    while (ogg_stream_flush(&stream, &page)) AppendPage(page, out);

    ogg_stream_clear(&stream);
    vorbis_block_clear(&block);
    vorbis_dsp_clear(&dsp);
    vorbis_comment_clear(&comment);
    vorbis_info_clear(&info);
    return out;
}

float Sine(double frequency, int rate, int frame) {
    return static_cast<float>(0.5 * std::sin(2.0 * kPi * frequency * frame / rate));
}

#if defined(__SANITIZE_ADDRESS__)
// libvorbisenc 1.3.7 loses one block in vorbis_encode_setup_init for files of
// more than two channels, even when every state is cleared; the leak checker
// leaves that one alone.
extern "C" const char* __lsan_default_suppressions() { return "leak:vorbis_encode_setup_init\n"; }
#endif
