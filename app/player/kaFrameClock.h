#pragma once

#include <cstdint>

#include "kaTimer.h"

// The clock of a recording: it stands still while a frame is drawn and moves
// on by exactly one frame, 1/fps seconds, each time one is presented, however
// long the frame took.  Every time source of the program reads it while the
// demo is recorded (the frame timer and the music stream through Counter(),
// the clip clock through Milliseconds()), so all of them agree: frame n
// shows the demo at n/fps seconds.  One clock exists per process, as the
// sources it replaces are process-wide.
class kaFrameClock {
public:
    // Back to frame 0, at fps (1 or more) frames a second.
    static void Start(unsigned fps);
    // Start(fps), and every clock of the program reads the frame clock from
    // frame 0 on: the music streams (which then play without the sound
    // device) and the clip clock.  The frame timer start-up makes is the
    // caller's to put on Counter().
    static void Drive(unsigned fps);
    // One frame presented.
    static void Advance();

    // The music position in milliseconds that frame n shows at fps: n x 1000
    // / fps, rounded down.
    static int64_t FrameMilliseconds(int64_t frame, unsigned fps);
    // The first frame that shows `seconds` or later.
    static int64_t FirstFrameAt(double seconds, unsigned fps);

    static int64_t getFrame();
    static unsigned getFps();

    // A counter of fps counts a second whose value is the frame number.
    static const kaCounterSource& Counter();
    // Milliseconds since frame 0, rounded down, as a counter that wraps after
    // 2^32 ms.
    static uint32_t Milliseconds();
};
