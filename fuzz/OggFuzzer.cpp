// Music data: the Ogg Vorbis decoder from memory with the PCM source that a
// playing stream drains, as far as the demo plays; then the same bytes
// through the sound system's stream calls, whose position must stay within
// the track.
// Every Ogg page carries a checksum, so the mutator stamps each page anew
// after mutating; otherwise almost every mutant would be dropped unread.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "kaFuzzExpect.h"
#include "kaOggDecoder.h"
#include "kaPcmSource.h"
#include "kaSound.h"
#include "kaTimer.h"

namespace {

constexpr int kMixRate = 44100;
constexpr unsigned kFillFrames = 4096;
// The demo ends at 117.7 s, so the player never plays more of a track than
// two minutes; a few bytes can describe hours of silence.
constexpr unsigned kPlayedFrames = 120 * kMixRate;

// The Ogg page checksum: CRC-32 with the polynomial 0x04C11DB7, not
// reflected, starting from 0, over the page with its checksum field zeroed.
uint32_t PageChecksum(const uint8_t* page, size_t size) {
    uint32_t crc = 0;
    for (size_t i = 0; i < size; ++i) {
        const uint8_t byte = i >= 22 && i < 26 ? 0 : page[i];
        crc ^= uint32_t(byte) << 24;
        for (int bit = 0; bit < 8; ++bit) crc = crc & 0x80000000u ? crc << 1 ^ 0x04C11DB7u : crc << 1;
    }
    return crc;
}

// Gives every whole page found in the data its right checksum.
void StampPages(uint8_t* data, size_t size) {
    constexpr size_t kHeader = 27;
    size_t at = 0;
    while (at + kHeader <= size) {
        uint8_t* page = data + at;
        const size_t segments = page[26];
        if (std::memcmp(page, "OggS", 4) != 0 || at + kHeader + segments > size) {
            ++at;
            continue;
        }
        size_t length = kHeader + segments;
        for (size_t s = 0; s < segments; ++s) length += page[kHeader + s];
        if (at + length > size) {
            ++at;
            continue;
        }
        const uint32_t crc = PageChecksum(page, length);
        for (int b = 0; b < 4; ++b) page[22 + b] = static_cast<uint8_t>(crc >> (8 * b));
        at += length;
    }
}

// A clock that moves on seven seconds at every reading, so that positions
// run up to the end of short tracks and past it.
int64_t Frequency() { return 1000; }
int64_t Now() {
    static int64_t sNow = 0;
    return sNow += 7000;
}
const kaCounterSource kSteppingClock = {Frequency, Now};

// Decodes the track as far as the demo plays it; false when the data does
// not open.
bool Decode(const uint8_t* data, size_t size, int64_t* length) {
    kaOggDecoder decoder;
    if (!decoder.Open(data, size)) return false;
    *length = decoder.getLengthMilliseconds();
    kaPcmSource source(decoder, kMixRate);
    std::vector<int16_t> frames(2 * kFillFrames);
    for (unsigned played = 0; played < kPlayedFrames; played += kFillFrames) {
        if (source.Fill(frames.data(), kFillFrames) < kFillFrames) break;
    }
    return true;
}

}  // namespace

extern "C" size_t LLVMFuzzerMutate(uint8_t* data, size_t size, size_t maxSize);

extern "C" size_t LLVMFuzzerCustomMutator(uint8_t* data, size_t size, size_t maxSize,
                                          unsigned int) {
    size = LLVMFuzzerMutate(data, size, maxSize);
    StampPages(data, size);
    return size;
}

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    kaSoundSetCounterSource(kSteppingClock);
    FuzzExpect(FSOUND_Init(kMixRate, 16, 0) == 1, "the sound system starts");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    int64_t length = -1;
    const bool opened = Decode(data, size, &length);
    FuzzExpect(!opened || (length >= 0 && length <= 0x7FFFFFFF), "a track has a length");

    const char* bytes = reinterpret_cast<const char*>(data);
    FSOUND_STREAM* stream = FSOUND_Stream_OpenFile(bytes, FSOUND_LOADMEMORY | FSOUND_MPEGACCURATE,
                                                   static_cast<int>(size));
    FuzzExpect((stream != nullptr) == opened, "the stream opens exactly what the decoder opens");
    if (stream == nullptr) return 0;
    FuzzExpect(FSOUND_Stream_GetTime(stream) == 0, "a stream stands at 0 before playing");
    FSOUND_Stream_Play(FSOUND_FREE, stream);
    const int first = FSOUND_Stream_GetTime(stream);
    const int second = FSOUND_Stream_GetTime(stream);
    FuzzExpect(0 <= first && first <= second && second <= length,
               "the position advances within the track");
    FuzzExpect(FSOUND_Stream_Close(stream) == 1, "the stream closes");
    return 0;
}
