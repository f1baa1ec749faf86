#pragma once

// What a player asks of its output before Startup: the window's client size,
// which is the size of the render device's back buffer (the demo's picture
// is the 4:3 rectangle centred in it), and the device's multisample
// parameter.  The defaults are the demo's own: 800x600, no multisampling.
struct kaOutputRequest {
    int width = 800;
    int height = 600;
    unsigned multiSampleType = 0;  // 0 none, else samples per pixel (2 to 16)
};

// Read by Startup; a player's entry sets it from its command line first.
extern kaOutputRequest gOutputRequest;
