#include "kaTimer.h"

#include "kaPlatformClock.h"

const kaCounterSource& kaCounterSource::Platform() {
    static const kaCounterSource source{kaPlatformCounterFrequency, kaPlatformCounterNow};
    return source;
}

namespace {

const kaCounterSource* sProgramSource = nullptr;

}  // namespace

const kaCounterSource& kaCounterSource::Program() {
    return sProgramSource != nullptr ? *sProgramSource : Platform();
}

void kaCounterSource::SetProgram(const kaCounterSource& source) { sProgramSource = &source; }

kaTimer* gFrameTimer = nullptr;

kaTimer::kaTimer(const kaCounterSource& source)
    : mFrequency(0), mStartCount(0), mLapCount(0), mInverseFrequency(0), mLastElapsed(0),
      mFrameDelta(1.0f), mPreviousTick(0), mScale(1.0f), mSource(&source),
      mPaused(false), mPausedAt(0) {
    Init();
}

void kaTimer::Init() {
    mFrequency = mSource->frequency();
    mStartCount = mSource->now();
    mLapCount = mStartCount;
    mPreviousTick = mStartCount;
    mInverseFrequency = 1.0f / static_cast<float>(mFrequency);
}

void kaTimer::Start() {
    mStartCount = mSource->now();
    mLapCount = mSource->now();
    mLastElapsed = 0;
}

void kaTimer::Tick() {
    const int64_t now = mSource->now();
    mFrameDelta = static_cast<float>(now - mPreviousTick) * mInverseFrequency;
    mPreviousTick = now;
}

// The difference is taken in whole counts before it becomes a float: counter
// values are far larger than a float can hold exactly.
float kaTimer::SecondsSince(int64_t now, int64_t reference) const {
    return static_cast<float>(now - reference) * mInverseFrequency * mScale;
}

float kaTimer::Elapsed() {
    mLastElapsed = SecondsSince(mSource->now(), mStartCount);
    return mLastElapsed;
}

float kaTimer::ElapsedTicks() {
    mLastElapsed = SecondsSince(mSource->now(), mLapCount) * 10000.0f;
    mLapCount = mSource->now();
    return mLastElapsed;
}

int64_t kaTimer::CountsAt(int64_t counts, int64_t frequency) const {
    return counts / mFrequency * frequency + counts % mFrequency * frequency / mFrequency;
}

void kaTimer::ContinueOn(const kaCounterSource& source) {
    const int64_t now = mSource->now();
    const int64_t frequency = source.frequency();
    const int64_t sinceStart = CountsAt(now - mStartCount, frequency);
    const int64_t sinceLap = CountsAt(now - mLapCount, frequency);
    const int64_t sinceTick = CountsAt(now - mPreviousTick, frequency);
    mSource = &source;
    Init();
    mStartCount -= sinceStart;
    mLapCount -= sinceLap;
    mPreviousTick -= sinceTick;
}

void kaTimer::Pause() {
    if (mPaused) return;
    mPausedAt = mSource->now();
    mPaused = true;
}

void kaTimer::Resume() {
    if (!mPaused) return;
    const int64_t held = mSource->now() - mPausedAt;
    mStartCount += held;
    mLapCount += held;
    mPreviousTick += held;
    mPaused = false;
}
