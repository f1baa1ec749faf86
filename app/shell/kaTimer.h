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

    // Reads another counter from now on; the times since Start, the last
    // lap and the last Tick go on from where they stand.
    void ContinueOn(const kaCounterSource& source);

    // The time between Pause and Resume is taken out of every reading after
    // it: frame deltas, elapsed and lap times go on as if it had not passed.
    void Pause();
    void Resume();

    float getFrameDelta() const { return mFrameDelta; }
    float getLastElapsed() const { return mLastElapsed; }

private:
    // Counts of the present counter as counts of one at `frequency`; whole
    // seconds apart, so that the product cannot overflow.
    int64_t CountsAt(int64_t counts, int64_t frequency) const;
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
    bool mPaused;
    int64_t mPausedAt;
};

// The program's frame timer.
extern kaTimer* gFrameTimer;
