#pragma once

#include <string>
#include <vector>

#include "kaPixelFrame.h"
#include "kaTempDir.h"

// The native capture program (vessamorix-capture with the OpenGL device),
// headless on SDL's offscreen display, from a folder of its own: copies of
// the program and its device in bin/, beside a link to the build's media
// tree, so that it runs whatever dist/ holds.
class kaCaptureRun {
public:
    kaCaptureRun();

    // The frames of `duration` seconds from `start` on the frame clock at
    // fps, drawn at width x height (--size).  Empty, with `error()` saying
    // why, when the program fails or writes a part of a frame.
    std::vector<kaPixelFrame> Frames(unsigned width, unsigned height, unsigned fps,
                                     double start, double duration);
    const std::string& error() const { return mError; }

private:
    kaTempDir mDir;
    std::string mError;
};
