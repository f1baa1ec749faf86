#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "kaSoundOutput.h"

// Playback through the page's Web Audio context (the page makes it, as
// browsers allow sound only after a gesture): a script processor node asks
// for each buffer in turn on the page's thread and the source fills it.  The
// position is the context's clock since the first buffer began to play, so
// it never runs ahead of the speaker.  While the context may not run yet the
// position is the silent clock's; when sound is allowed later, the track
// joins in at the position reached.
class kaWebAudioOutput : public kaSoundOutput {
public:
    static constexpr unsigned kBufferFrames = 4096;

    // Null when the page has no context or it runs at another rate.
    static std::unique_ptr<kaWebAudioOutput> Open(kaPcmSource& source, int rate, bool paused);
    ~kaWebAudioOutput() override;
    kaWebAudioOutput(const kaWebAudioOutput&) = delete;
    kaWebAudioOutput& operator=(const kaWebAudioOutput&) = delete;

    int64_t getPlayedMilliseconds() override;
    // Paused, the node plays silence without taking from the source and the
    // position holds at the context time of the pause.
    void setPaused(bool paused) override;

    // The node's callbacks: the next `frames` stereo 16-bit frames (silence
    // past the end of the track), and frames passed over unheard.
    const int16_t* Fill(unsigned frames);
    void Skip(unsigned frames);

private:
    kaWebAudioOutput(kaPcmSource& source, int node);

    kaPcmSource& mSource;
    int mNode;
    std::vector<int16_t> mBuffer;
};
