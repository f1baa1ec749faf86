#pragma once

#include <cstdint>

// The platform's counters; each platform implements them in its own source
// file.  Everything that reads time reaches them through an injectable
// source (kaCounterSource, kaClipClock's counter), so tests can stand in.

// The high-resolution counter and its counts per second (kaTimer, the
// silent music clock).
int64_t kaPlatformCounterFrequency();
int64_t kaPlatformCounterNow();

// A millisecond counter that wraps around after 2^32 ms (the clip clock).
uint32_t kaPlatformMilliseconds();

// Sleeps the calling thread for about `milliseconds` (a loop that handles no
// messages and keeps a frame-rate limit).
void kaPlatformSleep(uint32_t milliseconds);
