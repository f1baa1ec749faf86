#include "kaFrameClock.h"

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
