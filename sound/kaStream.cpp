#include "kaStream.h"

#include <algorithm>

#include "kaClockOutput.h"

#if defined(_WIN32)
#include "kaWaveOutput.h"
#endif

kaStream::kaStream(const kaCounterSource& clock, int mixRate)
    : mClock(clock), mMixRate(mixRate), mSource(mDecoder, mixRate), mOnDevice(false) {}

bool kaStream::Open(const unsigned char* data, size_t size) { return mDecoder.Open(data, size); }

void kaStream::Play(bool useDevice) {
    if (mOutput != nullptr) return;
#if defined(_WIN32)
    if (useDevice) mOutput = kaWaveOutput::Open(mSource, mMixRate);
#else
    (void)useDevice;  // no sound device natively: the clock plays every stream
#endif
    mOnDevice = mOutput != nullptr;
    if (!mOnDevice) mOutput = std::make_unique<kaClockOutput>(mClock);
}

int kaStream::getTime() {
    if (mOutput == nullptr) return 0;
    const int64_t played = mOutput->getPlayedMilliseconds();
    return static_cast<int>(std::clamp<int64_t>(played, 0, getLengthMilliseconds()));
}
