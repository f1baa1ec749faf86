#pragma once

// The frame callback: draws one frame (PlayDemoFrame) unless Escape is down;
// 1 to go on, 0 to end the demo.
int RenderFrame();
