// VessamorixCapture: the player recorded frame by frame.  Everything the
// player reads the time from runs on the frame clock, which moves on by one
// frame each time a frame is presented, so the recording is smooth at its
// frame rate however fast the machine draws.  Each presented frame is read
// back from the render device and handed to the frame recorder; the music
// plays silently on the same clock.

#include <cstdio>
#include <filesystem>
#include <memory>
#include <system_error>

#include "DemoFrame.h"
#include "Globals.h"
#include "OutroPictures.h"
#include "RenderFrame.h"
#include "Startup.h"
#include "kaApplication.h"
#include "kaCaptureOptions.h"
#include "kaCaptureSchedule.h"
#include "kaFastForward.h"
#include "kaFrameClock.h"
#include "kaFrameReadback.h"
#include "kaFrameRecorder.h"
#include "kaMessageBox.h"
#include "kaOutputRequest.h"
#include "kaPlatformFolder.h"
#include "kaPluginLoader.h"
#include "kaTimer.h"

namespace {

struct Recording {
    kaFrameRecorder* recorder = nullptr;
    kaFrameReadback* readback = nullptr;
    unsigned width = 0, height = 0;
    bool stopped = false;  // the demo is to end at the next frame
    bool failed = false;
};

Recording sRecording;

// Nobody watches a recording: boxes go to the error stream, and the one
// question (windowed when the display mode is refused?) is answered yes.
int ReportBox(const char* caption, const char* text, unsigned style) {
    std::fprintf(stderr, "[%s] %s\n", caption, text);
    return (style & KA_MB_YESNO) ? KA_IDYES : KA_IDOK;
}

void Fail(const std::string& what) {
    std::fprintf(stderr, "\nVessamorixCapture: %s\n", what.c_str());
    sRecording.failed = sRecording.stopped = true;
}

// After every presented frame: read it back when it is wanted (the frames
// reach the recorder a little later, in order), then let the clock move on
// by one frame.
void OnFramePresented() {
    const int64_t frame = kaFrameClock::getFrame();
    kaFrameRecorder& recorder = *sRecording.recorder;
    if (!sRecording.failed && recorder.Wants(frame) && !sRecording.readback->Presented(frame)) {
        Fail(sRecording.readback->getError());
    }
    if (recorder.isDone(frame + 1)) sRecording.stopped = true;
    kaFrameClock::Advance();
}

// The player's frame, ended early once the recording has all it wants.  When
// the demo ends, the closing pictures begin at the next presented frame.
int CaptureFrame() {
    if (sRecording.stopped) return 0;
    if (RenderFrame() != 0) return 1;
    kaCaptureSchedule::AddClosingStills(*sRecording.recorder, kaFrameClock::getFrame(),
                                        kaFrameClock::getFps());
    return 0;
}

// The player runs from its own folder; paths given on the command line keep
// meaning what they meant where the capture was started.
void Anchor(std::string* path) {
    if (path->empty() || *path == "-") return;
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(*path, error);
    if (!error) *path = absolute.string();
}

// The closing pictures, those before the first wanted frame without
// drawing them, and none once the recording has all it wants; the last
// frames' reads finish while the device is still there.
void CloseDemo(int64_t firstWanted, kaFrameReadback& readback) {
    const std::unique_ptr<kaClosingPictures> closing = BeginShutdown();
    if (closing != nullptr && !sRecording.stopped &&
        kaFastForward().PlayClosingTo(*closing, kaFastForward::SilentEnd(firstWanted))) {
        while (!sRecording.stopped && closing->Frame()) {
        }
    }
    if (!sRecording.failed && !readback.Finish()) Fail(readback.getError());
    FinishShutdown();
}

// The frames before the first one wanted are played without drawing them.
int Record(kaFrameRecorder& recorder, int64_t firstWanted) {
    kaFrameReadback readback(gRenderPlugin, gDevice, sRecording.width, sRecording.height,
                             recorder);
    sRecording.recorder = &recorder;
    sRecording.readback = &readback;
    gFramePresented = OnFramePresented;
    gApp.setFrameCallback(CaptureFrame);
    kaFastForward().PlayDemoTo(kaFastForward::SilentEnd(firstWanted));
    gApp.Run();
    CloseDemo(firstWanted, readback);
    gFramePresented = nullptr;
    if (!recorder.Close() && !sRecording.failed) Fail(recorder.getError());
    return sRecording.failed ? 1 : 0;
}

}  // namespace

int main(int argc, char** argv) {
    kaCaptureOptions options;
    const std::string wrong = options.Parse(argc - 1, argv + 1);
    if (!wrong.empty()) {
        std::fprintf(stderr, "VessamorixCapture: %s\n%s\n", wrong.c_str(), kaCaptureOptions::Usage());
        return 2;
    }
    Anchor(&options.frames);
    Anchor(&options.stills);
    if (!kaPlatformEnterProgramFolder()) return 1;
    SetMessageBoxHook(ReportBox);
    kaFrameClock::Drive(options.fps);
    gOutputRequest = options.output;
    if (!Startup()) {
        std::fprintf(stderr, "VessamorixCapture: the player did not start (see Vessamorix.log)\n");
        return 1;
    }
    // Start-up made the frame timer on the platform's counter.
    *gFrameTimer = kaTimer(kaFrameClock::Counter());
    gFrameTimer->Start();

    int width = 0, height = 0;
    gApp.getClientSize(&width, &height);
    sRecording.width = static_cast<unsigned>(width);
    sRecording.height = static_cast<unsigned>(height);
    kaFrameRecorder recorder(options, sRecording.width, sRecording.height);
    recorder.setExpectedFrames(kaCaptureSchedule::ExpectedFrames(options.fps));
    kaCaptureSchedule::AddSceneStills(recorder, options.fps);
    if (!recorder.Open()) {
        std::fprintf(stderr, "VessamorixCapture: %s\n", recorder.getError().c_str());
        gFramePresented = kaFrameClock::Advance;  // the closing pictures still take their time
        Shutdown();
        return 1;
    }
    return Record(recorder, recorder.getFirstWanted());
}
