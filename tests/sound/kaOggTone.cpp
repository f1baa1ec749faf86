#include "kaOggTone.h"

#include <cmath>
#include <stdexcept>

#include "kaOggWriter.h"

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr float kQuality = 0.8f;

}  // namespace

std::string EncodeOgg(int channels, int rate, int frames,
                      const std::function<float(int, int)>& signal, int serial) {
    const std::string out = kaOggWriter::Encode(
        channels, rate, frames,
        [&signal](int channel, long frame) { return signal(channel, static_cast<int>(frame)); },
        kQuality, serial);
    if (out.empty()) throw std::runtime_error("vorbisenc refused the format");
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
