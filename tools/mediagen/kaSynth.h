#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// A small additive synthesiser that renders instruments straight into a
// stereo buffer: each call mixes one note or hit at a time in seconds.
class kaSynth {
public:
    enum class Wave { kSaw, kSquare, kSine };

    kaSynth(int sampleRate, float seconds);

    void Kick(float at, float gain);
    void Snare(float at, float gain);
    void Hat(float at, float gain, float length);
    // A cymbal crash that rings out after at.
    void Crash(float at, float gain);
    // Filtered noise that swells from start and stops at end.
    void Riser(float start, float end, float gain);
    // A note with a quick attack and an exponential decay; cutoff is the
    // corner of a one-pole low-pass filter in Hz.
    void Note(float at, float length, float frequency, Wave wave, float gain, float pan, float cutoff);
    // A sustained note fading in and out over fade seconds.
    void Pad(float start, float end, float frequency, float gain, float pan, float fade);

    // Scales the mix so its peak is at peak; fades in and out.
    void Finish(float peak, float fadeIn, float fadeOut);

    int sampleRate() const { return mRate; }
    const std::vector<float>& left() const { return mLeft; }
    const std::vector<float>& right() const { return mRight; }

private:
    float Noise();
    static float Oscillator(Wave wave, float phase);
    void Add(size_t index, float value, float pan);

    int mRate;
    std::vector<float> mLeft, mRight;
    uint32_t mNoise = 0x12345678u;
};
