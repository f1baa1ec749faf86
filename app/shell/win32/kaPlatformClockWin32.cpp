#include "kaPlatformClock.h"

#include <windows.h>
#include <mmsystem.h>

int64_t kaPlatformCounterFrequency() {
    LARGE_INTEGER value;
    QueryPerformanceFrequency(&value);
    return value.QuadPart;
}

int64_t kaPlatformCounterNow() {
    LARGE_INTEGER value;
    QueryPerformanceCounter(&value);
    return value.QuadPart;
}

uint32_t kaPlatformMilliseconds() { return timeGetTime(); }

void kaPlatformSleep(uint32_t milliseconds) { Sleep(milliseconds); }
