#pragma once

// Brings the player up: log, window, callbacks, timer.  Returns 1 when
// everything is ready, 0 on failure (having shut down what was started).
int Startup();

// Releases everything Startup created, in reverse order of need.
void Shutdown();

// The whole program: start-up, the message loop until the demo ends, then
// shutdown.  1 after the demo ran, 0 when start-up failed.
int PlayDemo();
