#pragma once

#include <memory>

class kaClosingPictures;
struct kaPlayerOptions;

// The window's title while the demo plays.
extern const char kDemoTitle[];

// Brings the player up: log, window, callbacks, timer.  Returns 1 when
// everything is ready, 0 on failure (having shut down what was started).
int Startup();

// Startup in two halves, for the browser, which shows the loading picture
// between them: up to that picture, then the rest.  Each returns as Startup.
int StartupBegin();
int StartupFinish();

// The render and texture states that start-up sets for the whole demo, set
// again (the demo played again from its start).
void SetStartupRenderStates();

// What a failed start-up runs before it returns 0: Shutdown, unless the
// platform shuts down by itself once start-up has returned (the browser,
// which shows the closing pictures one frame per tick).
extern void (*gShutdownFailedStartup)();

// Releases everything Startup created, in reverse order of need, after the
// closing pictures.
void Shutdown();

// Shutdown in two halves, for the browser, which shows the closing pictures
// one frame per tick between them: the title and the closing pictures (null
// when they cannot be shown), then the releases.
std::unique_ptr<kaClosingPictures> BeginShutdown();
void FinishShutdown();

// The whole program: start-up, the message loop until the demo ends, then
// shutdown.  1 after the demo ran, 0 when start-up failed.
int PlayDemo(const kaPlayerOptions& options);
