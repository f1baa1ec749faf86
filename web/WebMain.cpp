// The player in a browser.  The page's thread must never wait on the
// program, so everything that runs in one go or loops elsewhere runs here as
// ticks of the page's main loop: start-up in two halves with the loading
// picture shown between them, one pass of the message loop (one demo frame)
// per tick, then one closing-picture frame per tick, and the releases.  At
// the end the program exits, which tells the page (Module.onExit).  For
// still frames (kaStillFrames) each tick plays as many frames as fit in its
// time, without the page showing them.  Otherwise the frames are the
// playback's (kaPlayback: the keys, and the closing pictures as frames of
// its own), and the page controls it through the vx_* functions below.
#include <emscripten.h>
#include <unistd.h>

#include <sys/stat.h>

#include <cstdio>
#include <memory>
#include <vector>

#include "DemoFrame.h"
#include "Globals.h"
#include "OutroPictures.h"
#include "Startup.h"
#include "kaApplication.h"
#include "kaFastForward.h"
#include "kaFrameClock.h"
#include "kaPlayback.h"
#include "kaPlayerOptions.h"
#include "kaOutputOptions.h"
#include "kaOutputRequest.h"
#include "kaStillFrames.h"
#include "kaTimer.h"

namespace {

// The program's folder in the page's file system: the media tree lies
// beside it, so "../xMedia/" resolves as on the desktop.
const char kProgramFolder[] = "/Vessamorix/bin";
// Still frames: how long one tick may play before the page gets a turn.
constexpr double kStillTickMs = 40;

enum class Phase { Intro, Loading, Playing, Closing };

Phase sPhase = Phase::Intro;
bool sShutdownAsked = false;  // a failed start-up asked for the shutdown
int sExitStatus = 1;          // 0 when start-up failed, as on the desktop
std::unique_ptr<kaClosingPictures> sClosing;
kaStillFrames sStills;
bool sStillHanded = false;  // in this tick
kaPlayback sPlayback(kaPlayback::Clock::RealTime, false);
bool sControlled = false;  // the playback has the frames
unsigned sMaxFps = 0;      // --max-fps; 0 for the display's pace

// clang-format off
EM_JS(void, vxFirstPicture, (), { if (Module["vxFirstPicture"]) Module["vxFirstPicture"](); });
EM_JS(void, vxFramePresented, (), { if (Module["vxFramePresented"]) Module["vxFramePresented"](); });
// clang-format on

void Exit(int status) {
    emscripten_cancel_main_loop();
    emscripten_force_exit(status);
}

void AskShutdown() { sShutdownAsked = true; }

void BeginClosing(int status) {
    sExitStatus = status;
    sClosing = BeginShutdown();
    sPhase = Phase::Closing;
}

void CloseFrame() {
    if (sClosing != nullptr && sClosing->Frame()) return;
    sClosing.reset();
    FinishShutdown();
    Exit(sExitStatus);
}

// A failed start-up has shut down only when it said so (a window that could
// not be made has nothing to shut).
void StartupFailed() {
    if (sShutdownAsked) {
        BeginClosing(0);
    } else {
        Exit(0);
    }
}

void OnStillPresented() { sStillHanded = sStills.OnPresented() || sStillHanded; }

// The frame timer was made on the platform's counter; stills run every clock
// on the frame clock from the first demo frame on.
void StartStills() {
    *gFrameTimer = kaTimer(kaFrameClock::Counter());
    gFrameTimer->Start();
    gFramePresented = OnStillPresented;
}

int PlaybackFrame() { return sPlayback.Frame(); }

void Loading() {
    vxFirstPicture();
    if (!StartupFinish()) {
        StartupFailed();
        return;
    }
    if (sStills.isWanted()) {
        StartStills();
    } else {
        gFramePresented = vxFramePresented;
        gApp.setFrameCallback(PlaybackFrame);
        sControlled = true;
    }
    sPhase = Phase::Playing;
}

// The closing pictures are still to be shown when the demo was left before
// them; the playback has shown them otherwise.
void EndPlaying() {
    const bool picturesLeft = sPlayback.Finish();
    sControlled = false;
    if (picturesLeft) {
        BeginClosing(1);
        return;
    }
    FinishShutdown();
    Exit(1);
}

void Step() {
    switch (sPhase) {
    case Phase::Intro:
        // The page shows the loading picture after this tick.
        sPhase = Phase::Loading;
        break;
    case Phase::Loading:
        Loading();
        break;
    case Phase::Playing:
        if (!gApp.Step()) EndPlaying();
        break;
    case Phase::Closing:
        CloseFrame();
        break;
    }
}

// The frames before the next still are played without drawing them.
void FastForwardToStill() {
    const int64_t end = kaFastForward::SilentEnd(sStills.getNextFrame());
    if (sPhase == Phase::Playing) {
        kaFastForward().PlayDemoTo(end);
    } else if (sPhase == Phase::Closing && sClosing != nullptr) {
        kaFastForward().PlayClosingTo(*sClosing, end);
    }
}

// Stills: the fast forward to the next one, then frames until one is handed
// over (the page reads it before it shows anything else) or the tick's time
// is up; after the last one the program stays as it is, with that frame on
// show: its ticks, now at the display's pace, do nothing (a loop paused or
// ended would let the program exit).
void StillTick() {
    if (sStills.isDone()) return;
    FastForwardToStill();
    const double end = emscripten_get_now() + kStillTickMs;
    sStillHanded = false;
    const bool playing = sPhase == Phase::Playing || sPhase == Phase::Closing;
    do {
        Step();
    } while (playing && !sStillHanded && emscripten_get_now() < end);
    if (sStills.isDone()) emscripten_set_main_loop_timing(EM_TIMING_RAF, 1);
}

void Tick() {
    if (sStills.isWanted()) {
        StillTick();
    } else {
        Step();
    }
}

// One of the players' options the page passes on: --msaa N for the device,
// --max-fps N for the pace of the page's ticks.  Empty, or what is wrong.
std::string ReadPlayerOption(const std::string& option, const char* value) {
    if (option == "--msaa") return kaOutputOptions::Read(option, value, &gOutputRequest);
    return kaPlayerOptions::ReadMaxFps(value, &sMaxFps);
}

// The page's arguments: the players' options above, the rest for the still
// frames.  Empty, or what is wrong.
std::string ParseArguments(int argc, char** argv) {
    std::vector<const char*> stills;
    for (int i = 0; i < argc; ++i) {
        const std::string option = argv[i];
        if (option != "--msaa" && option != "--max-fps") {
            stills.push_back(argv[i]);
            continue;
        }
        if (i + 1 >= argc) return option + " needs a value";
        const std::string wrong = ReadPlayerOption(option, argv[++i]);
        if (!wrong.empty()) return wrong;
    }
    return sStills.Parse(static_cast<int>(stills.size()), stills.data());
}

// Stills are not shown on the way: ticks follow each other at once rather
// than waiting for the display.  A frame-rate limit spaces the ticks by a
// frame's time in whole milliseconds, rounded up so that the rate stays
// within it; otherwise they follow the display.
void PaceTicks() {
    if (sStills.isWanted()) {
        emscripten_set_main_loop_timing(EM_TIMING_SETTIMEOUT, 0);
    } else if (sMaxFps > 0) {
        emscripten_set_main_loop_timing(EM_TIMING_SETTIMEOUT, static_cast<int>((999 + sMaxFps) / sMaxFps));
    }
}

}  // namespace

// The page's control of the playback.  Each does nothing (or answers -1)
// unless the playback has the frames: before the demo is loaded, with still
// frames asked for, and once it has ended.
extern "C" {

// Pauses a playing demo or resumes a paused one.
EMSCRIPTEN_KEEPALIVE void vx_toggle_pause() {
    if (sControlled) sPlayback.TogglePause();
}

// 1 while paused, 0 otherwise.
EMSCRIPTEN_KEEPALIVE int vx_is_paused() { return sControlled && sPlayback.isPaused() ? 1 : 0; }

// To `seconds` (0 to vx_length(), held within it); a paused demo stays paused
// on the new picture.  1 when done, 0 when it could not be.
EMSCRIPTEN_KEEPALIVE int vx_seek(double seconds) {
    return sControlled && sPlayback.SeekTo(seconds) ? 1 : 0;
}

// The time shown, in seconds: the demo's up to vx_demo_end(), then the
// closing pictures'; -1 while the playback does not have the frames.
EMSCRIPTEN_KEEPALIVE double vx_current_time() { return sControlled ? sPlayback.getTime() : -1; }

// The whole length in seconds, the closing pictures included (127.7).
EMSCRIPTEN_KEEPALIVE double vx_length() { return kaPlayback::Length(); }

// Where the demo ends and the closing pictures begin (117.7 s).
EMSCRIPTEN_KEEPALIVE double vx_demo_end() { return kDemoEnd; }

// The number of scenes (23).
EMSCRIPTEN_KEEPALIVE int vx_scene_count() { return static_cast<int>(kSceneCount); }

// Scene `number`'s start in seconds (1 to vx_scene_count(); scene 1 starts at
// 0); -1 for any other number.
EMSCRIPTEN_KEEPALIVE double vx_scene_start(int number) {
    if (number < 1 || number > static_cast<int>(kSceneCount)) return -1;
    return kaPlayback::MarkTime(static_cast<unsigned>(number - 1));
}

}  // extern "C"

int main(int argc, char** argv) {
    const std::string wrong = ParseArguments(argc - 1, argv + 1);
    if (!wrong.empty()) {
        std::fprintf(stderr, "Vessamorix: %s\n", wrong.c_str());
        emscripten_force_exit(2);
    }
    if (sStills.isWanted()) kaFrameClock::Drive(sStills.getFps());
    mkdir("/Vessamorix", 0755);
    mkdir(kProgramFolder, 0755);
    chdir(kProgramFolder);
    gShutdownFailedStartup = AskShutdown;
    emscripten_set_main_loop(Tick, 0, 0);
    PaceTicks();
    if (!StartupBegin()) StartupFailed();
    return 0;
}
