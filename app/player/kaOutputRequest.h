#pragma once

// What a player asks of its output before Startup: the window's client size,
// which is the size of the render device's back buffer (the demo's picture
// is the 4:3 rectangle centred in it), fullscreen or a window, the device's
// multisample parameter and whether frames wait for the display's refresh.
// The defaults are the demo's own: 800x600 fullscreen, no multisampling, no
// waiting.
struct kaOutputRequest {
    int width = 800;   // 0 x 0 in fullscreen: the display's own pixels, where
    int height = 600;  // the platform can tell them (the native player)
    unsigned multiSampleType = 0;  // 0 none, else samples per pixel (2 to 16)
    bool windowed = false;
    bool vsync = false;
};

// Read by Startup; a player's entry sets it from its command line first.
extern kaOutputRequest gOutputRequest;
