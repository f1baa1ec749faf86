#include "kaWindowEvents.h"

#include <windows.h>

#include "kaApplication.h"

namespace {

UINT_PTR sQuitTimer = 0;

HWND Window(kaApplication& app) { return static_cast<HWND>(app.getWindow()); }

void CALLBACK QuitNow(HWND, UINT, UINT_PTR, DWORD) { PostQuitMessage(0); }

}  // namespace

void UseHeadlessDisplay() {}

void PostKeyDown(kaApplication& app, unsigned virtualKey) {
    PostMessageA(Window(app), WM_KEYDOWN, virtualKey, 0);
}

void PostClose(kaApplication& app) { PostMessageA(Window(app), WM_CLOSE, 0, 0); }

void PostActivation(kaApplication& app, bool active) {
    PostMessageA(Window(app), WM_ACTIVATE, active ? WA_ACTIVE : WA_INACTIVE, 0);
}

void PostQuit() { PostQuitMessage(0); }

void QuitAfter(unsigned milliseconds) { sQuitTimer = SetTimer(nullptr, 0, milliseconds, QuitNow); }

void StopQuitTimer() {
    if (sQuitTimer != 0) KillTimer(nullptr, sQuitTimer);
    sQuitTimer = 0;
}
