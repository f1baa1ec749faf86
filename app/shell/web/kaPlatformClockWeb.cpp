// The counters in a browser: the page's high-resolution clock, in
// microseconds since the page opened.
#include <emscripten.h>

#include "kaPlatformClock.h"

namespace {

constexpr int64_t kMicroseconds = 1000000;

}  // namespace

int64_t kaPlatformCounterFrequency() { return kMicroseconds; }

int64_t kaPlatformCounterNow() { return static_cast<int64_t>(emscripten_get_now() * 1000.0); }

uint32_t kaPlatformMilliseconds() {
    return static_cast<uint32_t>(static_cast<uint64_t>(emscripten_get_now()));
}

// The page's thread never blocks (the browser would stop drawing): the page
// keeps its frame-rate limit by the interval of its ticks instead, and its
// pacer has no limit to wait for.
void kaPlatformSleep(uint32_t) {}
