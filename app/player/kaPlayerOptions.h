#pragma once

#include <string>

#include "kaOutputRequest.h"

// The command line of the players (Vessamorix.exe, vessamorix):
//
//   Vessamorix [--start SECONDS] [--windowed] [--size WxH] [--msaa N]
//              [--no-vsync] [--max-fps N] [--loop] [--help]
//
// --start begins the demo at that demo time, the music with it, as the demo
// shows it when played from its start (the frames before are played without
// drawing them).  --windowed plays in a window instead of the whole screen;
// --size is that window's size, or the size rendered at in fullscreen.
// --msaa asks for that many samples per pixel (0, 2, 4 or 8; 0 is none),
// --no-vsync presents frames without waiting for the display's refresh.
// --max-fps draws at most N frames a second (1 to 1000), leaving the
// processor to others between them (a laptop's battery, a busy machine).
// --loop starts the demo again after the closing pictures, until Escape.
// --help asks for the usage text only.  Without arguments every field keeps
// its default: the demo plays from its start as it always has.
struct kaPlayerOptions {
    double start = 0;
    bool windowed = false;
    kaOutputRequest output;  // --size and --msaa (kaOutputOptions)
    bool sized = false;      // whether --size was given
    bool vsync = true;
    unsigned maxFps = 0;  // --max-fps; 0 for no limit
    bool loop = false;
    bool help = false;

    // Reads the arguments after the program name.  Empty on success, else
    // what is wrong, fit to be shown with the usage.
    std::string Parse(int argc, const char* const* argv);

    static const char* Usage();
    // A whole text as a finite number of seconds.
    static bool ParseSeconds(const char* text, double* value);
    // A whole decimal number from min to max at text, read up to the first
    // character that is not a digit (*end).
    static bool ParseWhole(const char* text, unsigned min, unsigned max, unsigned* value,
                           const char** end);
    // --max-fps's value: empty, or what is wrong with it.
    static std::string ReadMaxFps(const char* text, unsigned* fps);

private:
    // One option and its value (null for a flag): empty, or what is wrong.
    std::string Take(const std::string& option, const char* value);
    std::string TakeFlag(const std::string& option);
};
