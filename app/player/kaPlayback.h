#pragma once

#include <cstdint>
#include <memory>

#include "OutroPictures.h"
#include "Schedule.h"

// The viewer's control of the demo: pause, seek, scene skips, restart and
// the loop, over the demo's frames followed by the two closing pictures.
//
// Time runs from 0 to Length(): the demo up to kDemoEnd, then the closing
// pictures, 5 s each.  A seek is exact: every clock goes over to the frame
// clock at frame 0, the demo's world is put back as start-up left it
// (kaDemoRewind), the frames before the wanted one are played without
// drawing them (kaFastForward) and the one before it is drawn, so that the
// next frame shows what playing from the start shows at that time; the
// music is then at that time too.  In real time (the players) every clock
// then goes on in real time from there; on the frame clock (tests) it stays
// on the frame clock.  While paused, frames present the picture as it stands
// without drawing, and no clock moves: the music stream is paused, the clip
// clock and the frame timer leave the pause out.  A seek made while paused
// draws the frame at the time sought on the next frame, then holds it.
class kaPlayback {
public:
    enum class Clock { RealTime, FrameClock };

    // The frame rate on which a seek is played in real time.
    static constexpr unsigned kSeekFps = 60;
    // The step of SeekBy on the keys, in seconds.
    static constexpr double kKeyStep = 5.0;
    // Scene starts and the closing pictures' starts: the marks that Page Up
    // and Page Down move between.
    static constexpr unsigned kMarkCount = kSceneCount + 2;

    // Starts as start-up leaves the player: the demo's first frame next.
    kaPlayback(Clock clock, bool loop);
    kaPlayback(const kaPlayback&) = delete;
    kaPlayback& operator=(const kaPlayback&) = delete;

    // The player's frame callback: reads the keys (Escape ends as it always
    // has; Space, Left, Right, Page Up, Page Down and Home act when pressed),
    // then PlayFrame.  0 to end.
    int Frame();
    // The next frame: the demo's, a closing picture's or, while paused, the
    // picture held.  After the closing pictures it starts again with the loop
    // and is false without.
    bool PlayFrame();

    void SetPaused(bool paused);
    void TogglePause() { SetPaused(!mPaused); }
    bool isPaused() const { return mPaused; }

    // To `seconds` (held within 0 to the last frame); false, with the demo
    // ended, when the world cannot be made again (a model that no longer
    // loads).  A paused playback stays paused on the new picture.
    bool SeekTo(double seconds);
    bool SeekBy(double seconds) { return SeekTo(getTime() + seconds); }
    // The next mark after the present time, or the latest one more than a
    // second before it (one press goes back to the scene's start, two to the
    // one before).
    bool NextMark();
    bool PreviousMark();
    bool Restart() { return SeekTo(0); }

    // The present time in seconds: the music's position in the demo, after it
    // kDemoEnd plus the closing pictures' time.
    double getTime() const;
    // False once the closing pictures have begun: the player still has to
    // show them at shutdown.
    bool isInDemo() const { return mPhase == Phase::Demo; }
    // Ends the playback before shutdown: resumed, and the closing pictures
    // let go.  True when they are still to be shown (the demo was left).
    bool Finish();

    static double Length() { return kDemoEnd + 2.0 * kClosingPictureSeconds; }
    // Mark i (0 to kMarkCount - 1): scene i + 1's start (0 for the first),
    // then the two closing pictures'.
    static double MarkTime(unsigned index);

private:
    enum class Phase { Demo, Closing, Ended };

    void HandleKeys();
    // The demo's or a closing picture's next frame, paused or not.
    bool PlayOn();
    bool DrawSeekFrame();
    void BeginClosing();
    bool ClosingFrame();
    // Plays without drawing up to frame `end` of the frame clock.
    void PlaySilentlyTo(int64_t end);
    // One frame drawn on the frame clock, which then moves on by one.
    void DrawOnFrameClock();
    // Every clock from the frame clock over to real time, from where it is.
    void HandOver(bool paused);

    Clock mClock;
    bool mLoop;
    Phase mPhase;
    bool mPaused;
    bool mSeekFrameDue;
    std::unique_ptr<kaClosingPictures> mClosing;
    bool mKeysDown[256];
};
