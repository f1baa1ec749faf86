#include "kaSampleConverter.h"

#include <cmath>

namespace {

// Where each channel of a Vorbis stream sits, by channel count: L left,
// R right, C centre (both sides), E the low-frequency channel (left out).
const char* const kLayouts[] = {
    "", "C", "LR", "LCR", "LRLR", "LCRLR", "LCRLRE", "LCRLRCE", "LCRLRLRE",
};
constexpr int kKnownLayouts = sizeof(kLayouts) / sizeof(kLayouts[0]);
constexpr float kCentreGain = 0.70710678f;

}  // namespace

kaSampleConverter::kaSampleConverter(int outputRate)
    : mOutputRate(outputRate), mChannels(0), mHasPrevious(false), mPrevious{0, 0}, mPhase(0),
      mLastRate(outputRate) {}

// Gains for each channel, scaled so that each side sums to one and a full
// scale input cannot clip.  Counts past the known layouts go evenly to both.
void kaSampleConverter::SetChannels(int channels) {
    mChannels = channels;
    mLeftGain.assign(channels, 0.0f);
    mRightGain.assign(channels, 0.0f);
    float leftSum = 0, rightSum = 0;
    for (int c = 0; c < channels; ++c) {
        const char place = channels < kKnownLayouts ? kLayouts[channels][c] : 'C';
        mLeftGain[c] = place == 'L' ? 1.0f : place == 'C' ? kCentreGain : 0.0f;
        mRightGain[c] = place == 'R' ? 1.0f : place == 'C' ? kCentreGain : 0.0f;
        leftSum += mLeftGain[c];
        rightSum += mRightGain[c];
    }
    for (int c = 0; c < channels; ++c) {
        mLeftGain[c] /= leftSum;
        mRightGain[c] /= rightSum;
    }
}

void kaSampleConverter::Convert(const float* const* pcm, int frames, int channels, int rate,
                                std::vector<int16_t>& out) {
    if (channels <= 0 || rate <= 0) return;
    if (channels != mChannels) SetChannels(channels);
    for (int i = 0; i < frames; ++i) {
        float left = 0, right = 0;
        for (int c = 0; c < channels; ++c) {
            left += pcm[c][i] * mLeftGain[c];
            right += pcm[c][i] * mRightGain[c];
        }
        Push(left, right, rate, out);
    }
}

// Emits every output frame that falls between the previous input frame and
// this one, then makes this one the previous.
void kaSampleConverter::Push(float left, float right, int rate, std::vector<int16_t>& out) {
    mLastRate = rate;
    if (mHasPrevious) {
        for (; mPhase < mOutputRate; mPhase += rate) {
            const float weight = static_cast<float>(mPhase) / static_cast<float>(mOutputRate);
            Emit(mPrevious[0] + (left - mPrevious[0]) * weight,
                 mPrevious[1] + (right - mPrevious[1]) * weight, out);
        }
        mPhase -= mOutputRate;
    }
    mPrevious[0] = left;
    mPrevious[1] = right;
    mHasPrevious = true;
}

void kaSampleConverter::Flush(std::vector<int16_t>& out) {
    if (!mHasPrevious) return;
    for (; mPhase < mOutputRate; mPhase += mLastRate) Emit(mPrevious[0], mPrevious[1], out);
    mHasPrevious = false;
    mPhase = 0;
}

void kaSampleConverter::Emit(float left, float right, std::vector<int16_t>& out) {
    for (float value : {left, right}) {
        const float clamped = value > 1.0f ? 1.0f : value < -1.0f ? -1.0f : value;
        out.push_back(static_cast<int16_t>(std::lrint(clamped * 32767.0f)));
    }
}
