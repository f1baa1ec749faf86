#pragma once

#include <cstdint>

#include "kaTimer.h"

// A counter of 1000 counts a second that moves only when a test moves it.
struct kaScriptedClock {
    static int64_t sNow;
    static const kaCounterSource kSource;

    static void Reset() { sNow = 7000000000LL; }  // far from zero, as real counters are
    static void Advance(int64_t milliseconds) { sNow += milliseconds; }
};
