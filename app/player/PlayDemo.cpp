#include "Startup.h"
#include "kaApplication.h"
#include "kaPlayback.h"
#include "kaPlayerOptions.h"

namespace {

kaPlayback* sPlayback = nullptr;

int PlaybackFrame() { return sPlayback->Frame(); }

}  // namespace

// The frames are the playback's: the keys act on it, and the closing
// pictures are its frames too, unless the demo was left with Escape, when
// shutdown shows them as it always has.  The frame rate limit holds from
// the start: a start-up that fails still shows the closing pictures.
int PlayDemo(const kaPlayerOptions& options) {
    gApp.setFrameRateLimit(options.maxFps);
    if (!Startup()) return 0;
    kaPlayback playback(kaPlayback::Clock::RealTime, options.loop);
    sPlayback = &playback;
    gApp.setFrameCallback(PlaybackFrame);
    if (options.start > 0) playback.SeekTo(options.start);
    gApp.Run();
    sPlayback = nullptr;
    if (playback.Finish()) {
        Shutdown();
    } else {
        FinishShutdown();
    }
    return 1;
}
