#pragma once

#include <string>

#include "kaOutputRequest.h"

// The command line of the video capture:
//
//   VessamorixCapture --frames PATH|- [--fps N] [--start S] [--duration S]
//                     [--part K/N] [--stills DIR] [--size WxH] [--msaa N] [--quiet]
//
// Raw frames (B, G, R, A bytes, rows top first) go to PATH, or to standard
// output for "-".  Only the frames from second S on, for S seconds, are
// written (the whole recording by default); the frames before them are
// played without drawing them (kaFastForward), and the capture ends once the
// last of them is written.  The
// contact sheet's pictures go to DIR; with --stills, --frames may be left
// out to keep only the pictures.  --part K/N writes only the K-th of N
// equal parts of those frames (whole frames, the parts one after the other
// without a gap), and keeps only the pictures that fall in it, so that N
// captures run side by side record the whole between them.  --size renders
// at that size (the picture is its 4:3 rectangle between black bars, the
// frames that size), --msaa with that many samples per pixel.
struct kaCaptureOptions {
    static constexpr unsigned kMaxFps = 240;
    static constexpr unsigned kMaxParts = 256;

    unsigned fps = 60;
    std::string frames;  // empty: no frames written (only with stills)
    std::string stills;  // empty: no contact-sheet pictures
    double start = 0;
    double duration = -1;  // negative: to the end
    unsigned part = 0, parts = 0;  // part K of N, from 1; 0 when not given
    bool progress = true;  // a progress line on standard error
    kaOutputRequest output;  // 800x600, no multisampling unless given

    // Reads the arguments after the program name.  Empty on success, else
    // what is wrong, fit to be shown with the usage.
    std::string Parse(int argc, const char* const* argv);

    static const char* Usage();
};
