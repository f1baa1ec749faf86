#pragma once

// The frame callback: draws one frame; 1 to go on, 0 to end the demo.
// Escape ends the demo before the frame.
int RenderFrame();

// The demo's frame without reading the input: the frame timer ticks, the
// music position gives the demo time and the scenes run on it.  1 after a
// presented frame; 0 once the music has reached the demo's end, with nothing
// drawn.
int PlayDemoFrame();
