#pragma once

#include "Schedule.h"

// The demo time for a music position in milliseconds: *t = position x 0.001
// in single precision.  1 while the product lies before kDemoEnd, 0 once it
// has reached it (117699 ms goes on, 117700 ms ends).
int DemoClock(int positionMs, float* t);

// Called after every frame the program presents; null unless someone watches
// (the video capture reads each frame back and steps its clock there).
extern void (*gFramePresented)();

// Flips gDevice and then tells gFramePresented.
void PresentFrame();

// One frame at music time t: clears the depth buffer, runs the 23 scenes
// with the frame delta between BeginRender and EndRender, and presents.
void DrawDemoFrame(float frameDelta, float t);

// The demo's frame: the frame timer ticks, the music position gives the
// demo time and DrawDemoFrame runs on it.  1 after a presented frame; 0 once
// the music has reached the demo's end, with nothing drawn.
int PlayDemoFrame();
