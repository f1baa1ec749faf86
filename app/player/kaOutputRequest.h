#pragma once

struct kaPlayerOptions;

// What a player asks of its output before Startup: the window's client size,
// fullscreen or a window, the render device's back buffer (the demo's picture
// is the 4:3 rectangle centred in it), the device's multisample parameter and
// whether frames wait for the display's refresh.  The defaults are the demo's
// own: 800x600 fullscreen, a back buffer of the client's size, no
// multisampling, no waiting.
struct kaOutputRequest {
    int width = 800;   // 0 x 0 in fullscreen: the display's own pixels, in the
    int height = 600;  // mode it is in, where the platform can tell them
    unsigned multiSampleType = 0;  // 0 none, else samples per pixel (2 to 16)
    bool windowed = false;
    bool vsync = false;
    int renderWidth = 0;  // the back buffer's size; 0 for the client's
    int renderHeight = 0;

    // The Windows player's request from its command line.  Without display
    // options it is the default.  --windowed gives a framed window of --size
    // (800x600 unless given).  --size, --msaa or --no-vsync alone give the
    // whole desktop in the mode it is in (no mode change), rendered at its
    // pixels, or at --size widened to the screen's shape.  Vsync is on
    // whenever display options are given, unless --no-vsync.
    static kaOutputRequest ForWindowsPlayer(const kaPlayerOptions& options);

    // The back buffer for a window whose client area came out at this size:
    // the client size itself, or the render size asked for, widened or
    // heightened to the client's shape so the picture is not stretched when
    // it is shown over the whole client area.
    void BackBufferSize(int clientWidth, int clientHeight, int* width, int* height) const;
};

// Read by Startup; a player's entry sets it from its command line first.
extern kaOutputRequest gOutputRequest;
