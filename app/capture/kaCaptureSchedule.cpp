#include "kaCaptureSchedule.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "DemoFrame.h"
#include "OutroPictures.h"
#include "Schedule.h"
#include "kaFrameClock.h"
#include "kaFrameRecorder.h"

namespace {

// "Scene 05 - 17.85 s": what the picture shows and the demo time of its frame.
std::string Label(const char* format, unsigned number, int64_t frame, unsigned fps) {
    char what[32], text[64];
    std::snprintf(what, sizeof what, format, number);
    std::snprintf(text, sizeof text, "%s - %.2f s", what, double(frame) / fps);
    return text;
}

}  // namespace

// The middle of the scene's window, or, where a white flash covers it, the
// first frame after that flash (full white on its last frames, gone right
// after): the sheet shows the scene, not a white frame.
int64_t kaCaptureSchedule::SceneStillFrame(unsigned scene, unsigned fps) {
    const kaSceneSchedule& window = SceneSchedule(scene);
    const double middle = (std::max(window.after, 0.0) + window.upTo) / 2;
    for (unsigned i = 0; i < window.flashCount; ++i) {
        const kaFlashWindow& flash = window.flashes[i];
        if (middle >= flash.start && middle <= flash.end) return kaFrameClock::FirstFrameAt(flash.end, fps) + 1;
    }
    return kaFrameClock::FirstFrameAt(middle, fps);
}

// The demo's own end test decides, on each frame's music position.
int64_t kaCaptureSchedule::DemoFrames(unsigned fps) {
    int64_t frame = std::max<int64_t>(0, std::llround(std::floor(kDemoEnd * fps)) - 1);
    float t = 0;
    while (DemoClock(static_cast<int>(kaFrameClock::FrameMilliseconds(frame, fps)), &t)) ++frame;
    return frame;
}

int64_t kaCaptureSchedule::ExpectedFrames(unsigned fps) {
    return DemoFrames(fps) + 2 * std::llround(kClosingPictureSeconds * fps);
}

void kaCaptureSchedule::AddSceneStills(kaFrameRecorder& recorder, unsigned fps) {
    for (unsigned scene = 1; scene <= kSceneCount; ++scene) {
        const int64_t frame = SceneStillFrame(scene, fps);
        recorder.AddStill(frame, Label("Scene %02u", scene, frame, fps));
    }
}

void kaCaptureSchedule::AddClosingStills(kaFrameRecorder& recorder, int64_t outroStart,
                                         unsigned fps) {
    for (unsigned picture = 0; picture < 2; ++picture) {
        const int64_t frame =
            outroStart + std::llround((picture + 0.5) * kClosingPictureSeconds * fps);
        recorder.AddStill(frame, Label("Closing picture %u", picture + 1, frame, fps));
    }
}
