#include "kaScriptedClock.h"

namespace {

int64_t Frequency() { return 1000; }
int64_t Now() { return kaScriptedClock::sNow; }

}  // namespace

int64_t kaScriptedClock::sNow = 0;
const kaCounterSource kaScriptedClock::kSource{Frequency, Now};
