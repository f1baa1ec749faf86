#pragma once

#include <cstdint>
#include <vector>

// Turns decoded pieces of any channel count and rate into interleaved stereo
// 16-bit frames at the output rate: channels are mixed down to left and right
// by their place in the Vorbis channel order, the rate is changed by linear
// interpolation between neighbouring frames.
class kaSampleConverter {
public:
    explicit kaSampleConverter(int outputRate);

    // Appends the converted frames of one piece to out.
    void Convert(const float* const* pcm, int frames, int channels, int rate,
                 std::vector<int16_t>& out);

    // Appends what the last input frame still owes at the end of the track.
    void Flush(std::vector<int16_t>& out);

private:
    void SetChannels(int channels);
    void Push(float left, float right, int rate, std::vector<int16_t>& out);
    static void Emit(float left, float right, std::vector<int16_t>& out);

    int mOutputRate;
    int mChannels;
    std::vector<float> mLeftGain;
    std::vector<float> mRightGain;
    bool mHasPrevious;
    float mPrevious[2];
    // Position of the next output frame past the previous input frame, in
    // 1/mOutputRate parts of an input frame; it stays exact over any length.
    int64_t mPhase;
    int mLastRate;
};
