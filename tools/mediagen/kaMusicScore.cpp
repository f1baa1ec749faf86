#include "kaMusicScore.h"

#include <cmath>
#include <vector>

#include "kaOggWriter.h"
#include "kaSceneLayout.h"
#include "kaSynth.h"

namespace {

using Wave = kaSynth::Wave;

constexpr int kMusicSerial = 0x56584D31;  // "VXM1"

struct Chord {
    int root;  // semitones from A (110 Hz)
    bool minor;
};

// Am F C G Dm E, two bars each.
const Chord kProgression[] = {{0, true}, {-4, false}, {3, false}, {-2, false}, {5, true}, {-5, false}};
constexpr int kChords = 6;
constexpr float kChordLength = 4.0f;

// Energy of each shot's section, then of the outro: 1 pad and soft kicks,
// 2 adds hats, 3 snare and bass, 4 sixteenth hats and the lead.
const int kLevels[kSceneCount + 1] = {1, 1, 2, 2, 3, 2, 3, 4, 1, 4, 3, 2, 4, 3, 4, 3, 4, 4, 4, 3, 4, 3, 4, 0};

float Pitch(int semitones, int octave) { return 110.0f * std::pow(2.0f, float(semitones) / 12.0f + float(octave)); }

constexpr int kShotCount = kSceneCount;
constexpr float kEnd = static_cast<float>(kDemoEnd);

// Section index (shot number - 1, or kShotCount for the outro) at time t.
int SectionAt(float t) {
    for (int s = kShotCount - 1; s >= 0; --s) {
        if (t >= Shots()[s].start) return t >= kEnd ? kShotCount : s;
    }
    return 0;
}

float SectionStart(int section) { return section < kShotCount ? Shots()[section].start : kEnd; }
float SectionEnd(int section) { return section + 1 < kShotCount ? Shots()[section + 1].start : section < kShotCount ? kEnd : kaMusicScore::kLength; }

// Each section starts two chords on from the last, then moves every two bars.
Chord ChordAt(float t) {
    const int section = SectionAt(t);
    const int step = int((t - SectionStart(section)) / kChordLength);
    return kProgression[(section * 2 + step) % kChords];
}

std::vector<int> ChordTones(Chord c) { return {c.root, c.root + (c.minor ? 3 : 4), c.root + 7}; }

void Pads(kaSynth& synth) {
    for (int section = 0; section <= kShotCount; ++section) {
        const float start = SectionStart(section), end = SectionEnd(section);
        for (float t = start; t < end; t += kChordLength) {
            const float to = std::fmin(end, t + kChordLength) + 0.15f;
            const std::vector<int> tones = ChordTones(ChordAt(t + 0.01f));
            for (size_t i = 0; i < tones.size(); ++i)
                synth.Pad(t, to, Pitch(tones[i], 1), 0.05f, -0.5f + 0.5f * float(i), 0.3f);
        }
    }
}

void Beats(kaSynth& synth) {
    for (float t = kaMusicScore::kBeatPhase; t < kaMusicScore::kLength - 2.0f; t += kaMusicScore::kBeat) {
        const int level = kLevels[SectionAt(t)];
        const int beat = int(std::lround((t - kaMusicScore::kBeatPhase) / kaMusicScore::kBeat)) % 4;
        const Chord chord = ChordAt(t);
        if (level >= 1 && (level >= 2 || beat % 2 == 0)) synth.Kick(t, level >= 2 ? 0.9f : 0.5f);
        if (level >= 2) synth.Hat(t + 0.25f, 0.18f, 0.04f);
        if (level >= 3 && beat % 2 == 1) synth.Snare(t, 0.45f);
        if (level >= 3) {
            for (int half = 0; half < 2; ++half)
                synth.Note(t + 0.25f * float(half), 0.2f, Pitch(chord.root, half == 0 ? -1 : 0), Wave::kSaw, 0.3f, 0.0f, 500.0f);
        }
        if (level >= 4) {
            const std::vector<int> tones = ChordTones(chord);
            for (int q = 0; q < 4; ++q) {
                synth.Hat(t + 0.125f * float(q), 0.08f, 0.02f);
                synth.Note(t + 0.125f * float(q), 0.1f, Pitch(tones[(beat * 4 + q) % 3], 2 + q / 3), Wave::kSquare, 0.07f,
                           q % 2 == 0 ? -0.6f : 0.6f, 3500.0f);
            }
        }
    }
}

// Section changes: a crash where each shot begins.
void Boundaries(kaSynth& synth) {
    for (int section = 1; section <= kShotCount; ++section) synth.Crash(SectionStart(section), 0.35f);
}

// Flash accents: a riser through the window, then a chord stab, a crash and
// a kick at the peak.
void Accents(kaSynth& synth) {
    for (const kaFlashWindow& flash : Flashes()) {
        synth.Riser(flash.start, flash.end, 0.3f);
        synth.Crash(flash.end, 0.7f);
        synth.Kick(flash.end, 1.0f);
        const std::vector<int> tones = ChordTones(ChordAt(flash.end));
        for (size_t i = 0; i < tones.size(); ++i)
            synth.Note(flash.end, 0.35f, Pitch(tones[i], 1), Wave::kSaw, 0.3f, -0.4f + 0.4f * float(i), 2500.0f);
    }
}

}  // namespace

std::string kaMusicScore::Render() {
    kaSynth synth(kSampleRate, kLength);
    Pads(synth);
    Beats(synth);
    Boundaries(synth);
    Accents(synth);
    synth.Finish(0.9f, 0.05f, 8.0f);
    const std::vector<float>& left = synth.left();
    const std::vector<float>& right = synth.right();
    return kaOggWriter::Encode(
        2, kSampleRate, static_cast<long>(left.size()),
        [&](int channel, long frame) { return channel == 0 ? left[frame] : right[frame]; }, 0.0f,
        kMusicSerial, "lost in space (remix)");
}
