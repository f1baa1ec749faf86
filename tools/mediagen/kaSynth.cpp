#include "kaSynth.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr float kTwoPi = 6.28318531f;

}  // namespace

kaSynth::kaSynth(int sampleRate, float seconds)
    : mRate(sampleRate), mLeft(size_t(float(sampleRate) * seconds), 0.0f), mRight(mLeft.size(), 0.0f) {}

float kaSynth::Noise() {
    mNoise = mNoise * 1664525u + 1013904223u;
    return float(mNoise >> 8) / float(1u << 23) - 1.0f;
}

float kaSynth::Oscillator(Wave wave, float phase) {
    switch (wave) {
        case Wave::kSaw: return 2.0f * phase - 1.0f;
        case Wave::kSquare: return phase < 0.5f ? 0.6f : -0.6f;
        case Wave::kSine: return std::sin(kTwoPi * phase);
    }
    return 0.0f;
}

void kaSynth::Add(size_t index, float value, float pan) {
    if (index >= mLeft.size()) return;
    mLeft[index] += value * (0.5f - 0.5f * pan);
    mRight[index] += value * (0.5f + 0.5f * pan);
}

void kaSynth::Kick(float at, float gain) {
    const size_t first = size_t(at * float(mRate)), count = size_t(0.35f * float(mRate));
    float phase = 0.0f;
    for (size_t i = 0; i < count; ++i) {
        const float t = float(i) / float(mRate);
        phase += (50.0f + 110.0f * std::exp(-t * 30.0f)) / float(mRate);
        Add(first + i, gain * std::sin(kTwoPi * phase) * std::exp(-t * 9.0f), 0.0f);
    }
}

void kaSynth::Snare(float at, float gain) {
    const size_t first = size_t(at * float(mRate)), count = size_t(0.25f * float(mRate));
    for (size_t i = 0; i < count; ++i) {
        const float t = float(i) / float(mRate);
        const float body = std::sin(kTwoPi * 185.0f * t) * std::exp(-t * 25.0f);
        Add(first + i, gain * (0.7f * Noise() * std::exp(-t * 14.0f) + 0.5f * body), 0.1f);
    }
}

void kaSynth::Hat(float at, float gain, float length) {
    const size_t first = size_t(at * float(mRate)), count = size_t(length * 4.0f * float(mRate));
    float previous = 0.0f;
    for (size_t i = 0; i < count; ++i) {
        const float t = float(i) / float(mRate), n = Noise();
        Add(first + i, gain * (n - previous) * std::exp(-t / length), -0.3f);
        previous = n;
    }
}

void kaSynth::Crash(float at, float gain) {
    const size_t first = size_t(at * float(mRate)), count = size_t(2.0f * float(mRate));
    float previous = 0.0f;
    for (size_t i = 0; i < count; ++i) {
        const float t = float(i) / float(mRate), n = Noise();
        Add(first + i, 1.2f * gain * (n - 0.6f * previous) * std::exp(-t * 2.2f), 0.0f);
        previous = n;
    }
}

void kaSynth::Riser(float start, float end, float gain) {
    const size_t first = size_t(start * float(mRate)), last = size_t(end * float(mRate));
    float low = 0.0f;
    for (size_t i = first; i < last; ++i) {
        const float s = float(i - first) / float(last - first);
        // The filter opens as the riser grows.
        low += (0.02f + 0.4f * s * s) * (Noise() - low);
        Add(i, gain * s * s * low, 0.4f * std::sin(kTwoPi * s));
    }
}

void kaSynth::Note(float at, float length, float frequency, Wave wave, float gain, float pan, float cutoff) {
    const size_t first = size_t(at * float(mRate)), count = size_t((length + 0.2f) * float(mRate));
    const float k = 1.0f - std::exp(-kTwoPi * cutoff / float(mRate));
    float phase = 0.0f, low = 0.0f;
    for (size_t i = 0; i < count; ++i) {
        const float t = float(i) / float(mRate);
        const float envelope = std::min(1.0f, t * 200.0f) * (t < length ? std::exp(-t * 3.0f / length) : std::exp(-3.0f) * std::exp(-(t - length) * 25.0f));
        low += k * (Oscillator(wave, phase) - low);
        phase += frequency / float(mRate);
        phase -= std::floor(phase);
        Add(first + i, gain * envelope * low, pan);
    }
}

void kaSynth::Pad(float start, float end, float frequency, float gain, float pan, float fade) {
    const size_t first = size_t(start * float(mRate)), last = size_t(end * float(mRate));
    const float k = 1.0f - std::exp(-kTwoPi * 900.0f / float(mRate));
    float a = 0.0f, b = 0.37f, low = 0.0f;
    for (size_t i = first; i < last; ++i) {
        const float t = float(i - first) / float(mRate), left = float(last - i) / float(mRate);
        const float envelope = std::min({1.0f, t / fade, left / fade});
        low += k * (Oscillator(Wave::kSaw, a) + Oscillator(Wave::kSaw, b) - low);
        a += frequency * 1.003f / float(mRate);
        b += frequency * 0.997f / float(mRate);
        a -= std::floor(a);
        b -= std::floor(b);
        Add(i, gain * envelope * low, pan);
    }
}

void kaSynth::Finish(float peak, float fadeIn, float fadeOut) {
    float top = 1e-6f;
    for (size_t i = 0; i < mLeft.size(); ++i) top = std::max({top, std::fabs(mLeft[i]), std::fabs(mRight[i])});
    const float scale = peak / top, total = float(mLeft.size()) / float(mRate);
    for (size_t i = 0; i < mLeft.size(); ++i) {
        const float t = float(i) / float(mRate);
        const float envelope = std::min({1.0f, t / fadeIn, (total - t) / fadeOut});
        mLeft[i] *= scale * envelope;
        mRight[i] *= scale * envelope;
    }
}
