#include "kaPlatformClock.h"

#include <SDL.h>

int64_t kaPlatformCounterFrequency() {
    return static_cast<int64_t>(SDL_GetPerformanceFrequency());
}

int64_t kaPlatformCounterNow() { return static_cast<int64_t>(SDL_GetPerformanceCounter()); }

uint32_t kaPlatformMilliseconds() { return SDL_GetTicks(); }

void kaPlatformSleep(uint32_t milliseconds) { SDL_Delay(milliseconds); }
