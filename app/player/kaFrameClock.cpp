#include "kaFrameClock.h"

#include <algorithm>
#include <cmath>

#include "kaClipClock.h"
#include "kaSound.h"

namespace {

unsigned sFps = 60;
int64_t sFrame = 0;

int64_t Frequency() { return sFps; }
int64_t Now() { return sFrame; }

}  // namespace

void kaFrameClock::Start(unsigned fps) {
    sFps = fps > 0 ? fps : 1;
    sFrame = 0;
}

void kaFrameClock::Drive(unsigned fps) {
    Start(fps);
    kaSoundSetCounterSource(Counter());
    gClipClock.setCounter(Milliseconds);
    gClipClock.Reset();
}

void kaFrameClock::Advance() { ++sFrame; }

int64_t kaFrameClock::getFrame() { return sFrame; }

unsigned kaFrameClock::getFps() { return sFps; }

const kaCounterSource& kaFrameClock::Counter() {
    static const kaCounterSource counter{Frequency, Now};
    return counter;
}

uint32_t kaFrameClock::Milliseconds() { return static_cast<uint32_t>(sFrame * 1000 / sFps); }

int64_t kaFrameClock::FrameMilliseconds(int64_t frame, unsigned fps) {
    return frame * 1000 / fps;
}

int64_t kaFrameClock::FirstFrameAt(double seconds, unsigned fps) {
    int64_t frame = std::max<int64_t>(0, std::llround(std::floor(seconds * fps)) - 1);
    while (FrameMilliseconds(frame, fps) < std::llround(std::ceil(seconds * 1000))) ++frame;
    return frame;
}
