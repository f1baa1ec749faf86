#include "DemoGlobals.h"
#include "Startup.h"
#include "kaApplication.h"
#include "kaClipClock.h"
#include "kaFastForward.h"
#include "kaFrameClock.h"
#include "kaMusic.h"
#include "kaPlayerOptions.h"
#include "kaSound.h"
#include "kaTimer.h"

namespace {

// The frame rate on which a later start is reached.
constexpr unsigned kStartFps = 60;

// Start-up ran on the frame clock; the frames before `seconds` are played on
// it without drawing them, then every clock goes over to real time from
// there: the music plays on the sound device from the position reached, the
// clip clock goes on from its sum and the frame timer starts again.
void StartAt(double seconds) {
    *gFrameTimer = kaTimer(kaFrameClock::Counter());
    gFrameTimer->Start();
    kaFastForward().PlayDemoTo(kaFrameClock::FirstFrameAt(seconds, kStartFps));
    const int position = FSOUND_Stream_GetTime(gMusicStream);
    kaSoundSetCounterSource(kaCounterSource::Platform());
    RestartMusicAt(position);
    gClipClock.ContinueOn(kaClipClock::PlatformCounter);
    *gFrameTimer = kaTimer();
    gFrameTimer->Start();
}

}  // namespace

int PlayDemo(const kaPlayerOptions& options) {
    const bool later = options.start > 0;
    if (later) kaFrameClock::Drive(kStartFps);
    if (!Startup()) return 0;
    if (later) StartAt(options.start);
    gApp.Run();
    Shutdown();
    return 1;
}
