// Music data: the Ogg Vorbis decoder from memory with the PCM source that a
// playing stream drains, decoded to the end; then the same bytes through the
// sound system's stream calls, whose position must stay within the track.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "kaFuzzExpect.h"
#include "kaOggDecoder.h"
#include "kaPcmSource.h"
#include "kaSound.h"
#include "kaTimer.h"

namespace {

constexpr int kMixRate = 44100;
constexpr unsigned kFillFrames = 4096;

// A clock that moves on seven seconds at every reading, so that positions
// run up to the end of short tracks and past it.
int64_t Frequency() { return 1000; }
int64_t Now() {
    static int64_t sNow = 0;
    return sNow += 7000;
}
const kaCounterSource kSteppingClock = {Frequency, Now};

// Decodes the whole track; false when the data does not open.
bool DecodeAll(const uint8_t* data, size_t size, int64_t* length) {
    kaOggDecoder decoder;
    if (!decoder.Open(data, size)) return false;
    *length = decoder.getLengthMilliseconds();
    kaPcmSource source(decoder, kMixRate);
    std::vector<int16_t> frames(2 * kFillFrames);
    while (source.Fill(frames.data(), kFillFrames) == kFillFrames) {
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    kaSoundSetCounterSource(kSteppingClock);
    FuzzExpect(FSOUND_Init(kMixRate, 16, 0) == 1, "the sound system starts");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    int64_t length = -1;
    const bool opened = DecodeAll(data, size, &length);
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
