#pragma once

#include <string>

// The command line of the players (Vessamorix.exe, vessamorix):
//
//   Vessamorix [--start SECONDS] [--loop]
//
// --start begins the demo at that demo time, the music with it, as the demo
// shows it when played from its start (the frames before are played without
// drawing them).  --loop starts the demo again after the closing pictures,
// until Escape.  Without arguments the demo plays once from its start.
struct kaPlayerOptions {
    double start = 0;
    bool loop = false;

    // Reads the arguments after the program name.  Empty on success, else
    // what is wrong, fit to be shown with the usage.
    std::string Parse(int argc, const char* const* argv);

    static const char* Usage();
    // A whole text as a finite number of seconds.
    static bool ParseSeconds(const char* text, double* value);
};
