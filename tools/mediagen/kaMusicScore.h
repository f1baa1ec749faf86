#pragma once

#include <string>

// "lost_in_space_remix.ogg": an original track composed from the demo's
// schedule.  Its sections change where the shots change, a riser swells
// through every white-flash window and a stab, crash and kick land where
// the flash peaks; it runs on past the demo's end through the closing
// pictures.
class kaMusicScore {
public:
    static constexpr int kSampleRate = 44100;
    static constexpr float kLength = 130.0f;  // seconds
    static constexpr float kBeat = 0.5f;      // 120 beats a minute
    static constexpr float kBeatPhase = 0.1f;  // first beat

    // The encoded file; empty when the encoder fails.
    static std::string Render();
};
