#include "kaPlayback.h"

#include <algorithm>
#include <cstring>

#include "DemoFrame.h"
#include "Globals.h"
#include "Startup.h"
#include "kaApplication.h"
#include "kaClipClock.h"
#include "kaDemoRewind.h"
#include "kaFastForward.h"
#include "kaFrameClock.h"
#include "kaInput.h"
#include "kaMusic.h"
#include "kaRenderDevice.h"
#include "kaSound.h"
#include "kaTimer.h"

namespace {

// DirectInput key codes.
constexpr unsigned char kEscape = 0x01;
constexpr unsigned char kSpace = 0x39;
constexpr unsigned char kHome = 0xC7;
constexpr unsigned char kPageUp = 0xC9;
constexpr unsigned char kLeft = 0xCB;
constexpr unsigned char kRight = 0xCD;
constexpr unsigned char kPageDown = 0xD1;

// How far into a scene Page Up still goes back to the scene before.
constexpr double kMarkGrace = 1.0;

// A frame that draws nothing: the demo clears only the depth buffer, so the
// picture presented is the one last drawn.
void HoldFrame() {
    gDevice->Clear(KA_CLEAR_ZBUFFER, 0, 1.0f, 0);
    gDevice->BeginRender();
    gDevice->EndRender();
    gDevice->Flip();
}

}  // namespace

kaPlayback::kaPlayback(Clock clock, bool loop)
    : mClock(clock), mLoop(loop), mPhase(Phase::Demo), mPaused(false), mSeekFrameDue(false),
      mKeysDown() {}

int kaPlayback::Frame() {
    gInput->Poll();
    if (gInput->isKeyDown(kEscape)) return 0;
    HandleKeys();
    return PlayFrame() ? 1 : 0;
}

// Each key acts once when it goes down.
void kaPlayback::HandleKeys() {
    struct KeyAction {
        unsigned char key;
        void (*act)(kaPlayback&);
    };
    static const KeyAction kActions[] = {
        {kSpace, [](kaPlayback& p) { p.TogglePause(); }},
        {kLeft, [](kaPlayback& p) { p.SeekBy(-kKeyStep); }},
        {kRight, [](kaPlayback& p) { p.SeekBy(kKeyStep); }},
        {kPageUp, [](kaPlayback& p) { p.PreviousMark(); }},
        {kPageDown, [](kaPlayback& p) { p.NextMark(); }},
        {kHome, [](kaPlayback& p) { p.Restart(); }},
    };
    for (const KeyAction& action : kActions) {
        const bool down = gInput->isKeyDown(action.key) != 0;
        const bool pressed = down && !mKeysDown[action.key];
        mKeysDown[action.key] = down;
        if (pressed) action.act(*this);
    }
}

bool kaPlayback::PlayFrame() {
    if (mPhase == Phase::Ended) return false;
    if (mPaused && mSeekFrameDue) return DrawSeekFrame();
    if (mPaused) {
        HoldFrame();
        return true;
    }
    return PlayOn();
}

bool kaPlayback::PlayOn() {
    if (mPhase == Phase::Demo) {
        if (PlayDemoFrame()) return true;
        BeginClosing();
    }
    return ClosingFrame();
}

// The frame a seek landed on while paused, drawn once so that the picture
// held is the one at the time sought.  On the frame clock every clock moves
// on by that frame, as it would have had the frame been played, so that the
// frames after the pause are those of the demo played through; in real time
// the clocks stay at the time sought (the time shown is the picture's).
bool kaPlayback::DrawSeekFrame() {
    mSeekFrameDue = false;
    const bool moves = mClock == Clock::FrameClock;
    if (moves) SetPaused(false);
    const bool more = PlayOn();
    if (moves) SetPaused(true);
    return more;
}

void kaPlayback::BeginClosing() {
    mClosing = BeginShutdown();
    mPhase = Phase::Closing;
}

bool kaPlayback::ClosingFrame() {
    if (mClosing != nullptr && mClosing->Frame()) return true;
    if (mLoop) return Restart();
    mPhase = Phase::Ended;
    return false;
}

void kaPlayback::SetPaused(bool paused) {
    if (paused == mPaused || mPhase == Phase::Ended) return;
    mPaused = paused;
    if (!paused) mSeekFrameDue = false;
    FSOUND_Stream_SetPaused(gMusicStream, paused ? 1 : 0);
    if (paused) {
        gClipClock.Pause();
        gFrameTimer->Pause();
    } else {
        gClipClock.Resume();
        gFrameTimer->Resume();
    }
}

bool kaPlayback::SeekTo(double seconds) {
    const bool paused = mPaused;
    SetPaused(false);
    const bool wasClosing = mPhase != Phase::Demo;
    const unsigned fps = mClock == Clock::FrameClock ? kaFrameClock::getFps() : kSeekFps;
    const double last = Length() - 1.0 / fps;
    const int64_t frame = kaFrameClock::FirstFrameAt(std::clamp(seconds, 0.0, last), fps);
    kaFrameClock::Drive(fps);
    mClosing.reset();
    mPhase = Phase::Demo;
    if (!kaDemoRewind::Rewind()) {
        mPhase = Phase::Ended;
        return false;
    }
    PlaySilentlyTo(kaFastForward::SilentEnd(frame));
    if (frame > 0) DrawOnFrameClock();
    if (wasClosing && mPhase == Phase::Demo) gApp.SetTitle("%s", kDemoTitle);
    if (mClock == Clock::RealTime) HandOver(paused);
    SetPaused(paused);
    mSeekFrameDue = paused;
    return true;
}

void kaPlayback::PlaySilentlyTo(int64_t end) {
    kaFastForward silent;
    if (silent.PlayDemoTo(end)) return;
    BeginClosing();
    if (mClosing != nullptr) silent.PlayClosingTo(*mClosing, end);
}

// Whoever watches presented frames (a recording, the page) is not told of
// it: it belongs to the seek.
void kaPlayback::DrawOnFrameClock() {
    void (*const presented)() = gFramePresented;
    gFramePresented = nullptr;
    PlayFrame();
    gFramePresented = presented;
    kaFrameClock::Advance();
}

// The music plays on the sound device from the position reached, the clip
// clock goes on from its sum and the frame timer from its times.  Paused, the
// music starts paused, so that no time passes on it before the pause.
void kaPlayback::HandOver(bool paused) {
    const int position = FSOUND_Stream_GetTime(gMusicStream);
    kaSoundSetCounterSource(kaCounterSource::Platform());
    RestartMusicAt(position, paused);
    gClipClock.ContinueOn(kaClipClock::PlatformCounter);
    gFrameTimer->ContinueOn(kaCounterSource::Program());
}

bool kaPlayback::NextMark() {
    const double now = getTime();
    for (unsigned i = 0; i < kMarkCount; ++i) {
        if (MarkTime(i) > now) return SeekTo(MarkTime(i));
    }
    return false;
}

bool kaPlayback::PreviousMark() {
    const double now = getTime();
    double target = 0;
    for (unsigned i = 0; i < kMarkCount && MarkTime(i) < now - kMarkGrace; ++i) target = MarkTime(i);
    return SeekTo(target);
}

double kaPlayback::getTime() const {
    switch (mPhase) {
    case Phase::Demo:
        return FSOUND_Stream_GetTime(gMusicStream) / 1000.0;
    case Phase::Closing:
        return kDemoEnd + (mClosing != nullptr ? mClosing->getSeconds() : 0.0);
    case Phase::Ended:
        break;
    }
    return Length();
}

bool kaPlayback::Finish() {
    SetPaused(false);
    mClosing.reset();
    return mPhase == Phase::Demo;
}

double kaPlayback::MarkTime(unsigned index) {
    if (index == 0) return 0;
    if (index < kSceneCount) return SceneSchedule(index + 1).after;
    return kDemoEnd + (index - kSceneCount) * double(kClosingPictureSeconds);
}
