#pragma once

// The blend curve of the flashes: a cubic through p1 at s = 0 and p2 at s = 1.
float SplineBlend(float p0, float p1, float p2, float p3, float s);

// Adds white over the whole screen, rising from nothing at start to full at
// end and gone outside that window.
void WhiteFlash(float start, float end, float t);
