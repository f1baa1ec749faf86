#pragma once

#include <cstdint>

// Where a timer reads its counter: the platform's performance counter unless
// a test supplies its own.
struct kaCounterSource {
    int64_t (*frequency)();
    int64_t (*now)();

    static const kaCounterSource& Platform();
    // The counter of the timers the program makes without naming one: the
    // platform's, unless the program runs on a clock of its own (a test's,
    // a frame-by-frame recording's).  Timers made afterwards read it.
    static const kaCounterSource& Program();
    static void SetProgram(const kaCounterSource& source);
};

// High-resolution timer over the performance counter: frame delta between
// Tick calls and seconds elapsed since Start.
class kaTimer {
public:
    explicit kaTimer(const kaCounterSource& source = kaCounterSource::Program());

    void Init();
    void Start();
    void Tick();
    float Elapsed();
    float ElapsedTicks();

    float getFrameDelta() const { return mFrameDelta; }
    float getLastElapsed() const { return mLastElapsed; }

private:
    // Counts since a reference count, scaled to seconds.
    float SecondsSince(int64_t now, int64_t reference) const;

    int64_t mFrequency;
    int64_t mStartCount;
    int64_t mLapCount;
    float mInverseFrequency;
    float mLastElapsed;
    float mFrameDelta;
    int64_t mPreviousTick;
    float mScale;
    const kaCounterSource* mSource;
};

// The program's frame timer.
extern kaTimer* gFrameTimer;
