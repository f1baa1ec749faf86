// Decodes generated tracks through the same path a playing stream uses and
// prints how many times faster than real time that runs.
//
//   sound_benchmark [seconds]    (default 60)

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "kaOggDecoder.h"
#include "kaOggTone.h"
#include "kaPcmSource.h"

namespace {

// Something busier than a pure tone: a chord that moves, plus a little noise,
// so that the encoder spends its bits as on music.
float Music(int channel, int frame, int rate) {
    const double t = static_cast<double>(frame) / rate;
    const double root = 110.0 * (1.0 + 0.5 * std::floor(std::fmod(t, 4.0)));
    float value = 0;
    for (int harmonic = 1; harmonic <= 6; ++harmonic) {
        value += Sine(root * harmonic * (channel == 0 ? 1.0 : 1.005), rate, frame) / (harmonic + 1);
    }
    const float noise = static_cast<float>((frame * 1103515245u + 12345u) >> 16 & 0x7FFF) / 32768.0f;
    return 0.6f * value + 0.05f * (noise - 0.5f);
}

void Run(int rate, int seconds, int mixRate) {
    const std::string ogg = EncodeOgg(2, rate, rate * seconds, [rate](int c, int i) { return Music(c, i, rate); });
    const auto start = std::chrono::steady_clock::now();
    kaOggDecoder decoder;
    if (!decoder.Open(reinterpret_cast<const unsigned char*>(ogg.data()), ogg.size())) {
        std::printf("%d Hz: the generated track did not open\n", rate);
        std::exit(1);
    }
    kaPcmSource source(decoder, mixRate);
    std::vector<int16_t> buffer(2048 * 2);
    uint64_t frames = 0;
    while (unsigned got = source.Fill(buffer.data(), 2048)) frames += got;
    const double spent = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const double played = static_cast<double>(frames) / mixRate;
    std::printf("%d Hz stereo -> %d Hz: %zu bytes, %.1f s of sound decoded in %.3f s: %.0fx real time\n",
                rate, mixRate, ogg.size(), played, spent, played / spent);
}

}  // namespace

int main(int argc, char** argv) {
    const int seconds = argc > 1 ? std::atoi(argv[1]) : 60;
    if (seconds <= 0) {
        std::printf("usage: sound_benchmark [seconds]\n");
        return 2;
    }
    Run(44100, seconds, 44100);
    Run(48000, seconds, 44100);
    return 0;
}
