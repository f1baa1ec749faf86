#pragma once

#include <cstdint>

#include "kaSilentDevice.h"

class kaClosingPictures;

// Reaching a frame of the demo on the frame clock without drawing the ones
// before it.  While a kaFastForward exists the frames it plays run exactly
// as when they are drawn and in the same order (the frame timer, the music
// position, every scene's set-up, the clip clock and its cross-fades, the
// camera, the character's pose, the flashes and sprites), but on a device
// that draws nothing (kaSilentDevice), with the character's skin and buffer
// rewrite held back to be done once at the end (kaCharacterMotion), and
// without telling anyone of presented frames: the fast forward moves the
// frame clock on itself.  Afterwards the device, the hook and the character
// are as the frames left them, so the next frame drawn is the one playing
// from the start would draw.  Used by the capture (--start), the players
// (--start) and the browser's still frames.
class kaFastForward {
public:
    // Frames drawn before the one wanted: the demo clears only the depth
    // buffer, so the picture of a frame that draws nothing (a scene's set-up
    // frame) is the frame before it.
    static constexpr int64_t kDrawnBefore = 1;

    kaFastForward();
    ~kaFastForward();
    kaFastForward(const kaFastForward&) = delete;
    kaFastForward& operator=(const kaFastForward&) = delete;

    // The frame up to which to play without drawing when `wanted` is to be
    // shown as playing from the start shows it.
    static int64_t SilentEnd(int64_t wanted);

    // Plays demo frames until the frame clock shows `end`: true when it got
    // there, false when the demo ended first (at the frame where it ends,
    // which shows nothing; the closing pictures come next).
    bool PlayDemoTo(int64_t end);
    // The same for the closing pictures: false when they ended first.
    bool PlayClosingTo(kaClosingPictures& closing, int64_t end);

private:
    kaSilentDevice mSilent;
    kaRenderDevice* mShown;
    void (*mPresented)();
};
