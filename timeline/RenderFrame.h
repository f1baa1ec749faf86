#pragma once

// The frame callback: draws one frame; 1 to go on, 0 to end the demo.
int RenderFrame();
