#include "kaWindowEvents.h"

#include <SDL.h>

#include "kaApplication.h"

namespace {

SDL_TimerID sQuitTimer = 0;

Uint32 SDLCALL QuitNow(Uint32, void*) {
    PostQuit();
    return 0;
}

void PostWindowEvent(kaApplication& app, SDL_WindowEventID what) {
    SDL_Event event = {};
    event.type = SDL_WINDOWEVENT;
    event.window.windowID = SDL_GetWindowID(static_cast<SDL_Window*>(app.getWindow()));
    event.window.event = what;
    SDL_PushEvent(&event);
}

}  // namespace

void UseHeadlessDisplay() { SDL_SetHint(SDL_HINT_VIDEODRIVER, "offscreen"); }

void PostKeyDown(kaApplication& app, unsigned virtualKey) {
    SDL_Event event = {};
    event.type = SDL_KEYDOWN;
    event.key.windowID = SDL_GetWindowID(static_cast<SDL_Window*>(app.getWindow()));
    event.key.state = SDL_PRESSED;
    event.key.keysym.sym = SDLK_a + static_cast<SDL_Keycode>(virtualKey - 'A');
    SDL_PushEvent(&event);
}

void PostClose(kaApplication& app) { PostWindowEvent(app, SDL_WINDOWEVENT_CLOSE); }

void PostActivation(kaApplication& app, bool active) {
    PostWindowEvent(app, active ? SDL_WINDOWEVENT_FOCUS_GAINED : SDL_WINDOWEVENT_FOCUS_LOST);
}

void PostQuit() {
    SDL_Event event = {};
    event.type = SDL_QUIT;
    SDL_PushEvent(&event);
}

void QuitAfter(unsigned milliseconds) { sQuitTimer = SDL_AddTimer(milliseconds, QuitNow, nullptr); }

void StopQuitTimer() {
    if (sQuitTimer != 0) SDL_RemoveTimer(sQuitTimer);
    sQuitTimer = 0;
}
