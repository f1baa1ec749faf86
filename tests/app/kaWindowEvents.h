#pragma once

class kaApplication;

// Events put in the queue of the application's window as the platform
// delivers them, for the message loop to handle; each platform implements
// them in its own source file.

// Makes windows without a screen to show them on (SDL's offscreen driver;
// Wine has its own display).  Call before the first window is made.
void UseHeadlessDisplay();
void PostKeyDown(kaApplication& app, unsigned virtualKey);  // 'A' to 'Z' only
void PostClose(kaApplication& app);
void PostActivation(kaApplication& app, bool active);
void PostQuit();
// Posts the quit event after the time has passed, from outside the loop.
void QuitAfter(unsigned milliseconds);
void StopQuitTimer();
