// The window on SDL 2: one window made for OpenGL (the render device creates
// its context on it), fullscreen over the desktop as it is (no change of
// display mode) or a resizable window, at the screen's own pixels on HiDPI
// screens; SDL's events turned into the application's, and F switching
// between fullscreen and the window.
#include "kaApplication.h"

#include <SDL.h>

#include <cstdio>

#include "kaMessageBox.h"
#include "kaResult.h"

struct kaWindowSystem {
    bool videoStarted = false;
    SDL_Window* window = nullptr;
    // The client size is the one asked for, whatever the window's (the
    // device scales its picture to the window); else it is the drawable's.
    bool fixedSize = false;
    int windowedWidth = 0, windowedHeight = 0;  // the window's size out of fullscreen
};

namespace {

// The window's size when none is asked for, and after fullscreen over the
// display's pixels is left.
constexpr int kWindowedWidth = 800;
constexpr int kWindowedHeight = 600;

// SDL's reason for a failure, for whoever reads the error stream: the boxes
// say only what failed.
void ReportSDLError(const char* what) {
    std::fprintf(stderr, "Vessamorix: %s: %s\n", what, SDL_GetError());
}

bool StartVideo(kaWindowSystem& system) {
    if (!system.videoStarted && SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        ReportSDLError("no display");
        return false;
    }
    system.videoStarted = true;
    return true;
}

SDL_Window* OpenWindow(const char* title, const SDL_Rect& place, Uint32 flags) {
    SDL_Window* window =
        SDL_CreateWindow(title, place.x, place.y, place.w, place.h,
                         SDL_WINDOW_OPENGL | SDL_WINDOW_ALLOW_HIGHDPI | SDL_WINDOW_RESIZABLE | flags);
    if (window == nullptr) ReportSDLError("cannot open the window");
    return window;
}

SDL_Rect Centred(int width, int height) {
    return {SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, width, height};
}

// True when the window covers the screen.  Width and height are the
// window's size once it leaves fullscreen.  The window opens over the whole
// desktop, so that it covers it also where no window manager carries out
// the request for fullscreen.
bool ShowFullscreen(kaWindowSystem& system, const char* title, int width, int height) {
    const Uint32 flags = SDL_WINDOW_FULLSCREEN_DESKTOP;
    system.windowedWidth = width;
    system.windowedHeight = height;
    SDL_Rect desktop = Centred(width, height);
    if (system.window == nullptr) {
        if (SDL_GetDisplayBounds(0, &desktop) != 0) desktop = Centred(width, height);
        system.window = OpenWindow(title, desktop, flags);
    } else if (SDL_SetWindowFullscreen(system.window, flags) != 0) {
        ReportSDLError("fullscreen refused");
    }
    return system.window != nullptr &&
           (SDL_GetWindowFlags(system.window) & SDL_WINDOW_FULLSCREEN) != 0;
}

// A framed window of that client size in the middle of the screen.
void ShowWindowed(kaWindowSystem& system, const char* title, int width, int height) {
    system.windowedWidth = width;
    system.windowedHeight = height;
    if (system.window == nullptr) {
        system.window = OpenWindow(title, Centred(width, height), 0);
        return;
    }
    SDL_SetWindowFullscreen(system.window, 0);
    SDL_SetWindowSize(system.window, width, height);
    SDL_SetWindowPosition(system.window, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
}

// The Windows virtual-key code of a key, 0 for keys the program has no use
// for.
unsigned VirtualKey(SDL_Keycode key) {
    if (key >= SDLK_a && key <= SDLK_z) return 'A' + static_cast<unsigned>(key - SDLK_a);
    if (key >= SDLK_0 && key <= SDLK_9) return static_cast<unsigned>(key);
    if (key >= SDLK_F1 && key <= SDLK_F12) return 0x70 + static_cast<unsigned>(key - SDLK_F1);
    switch (key) {
    case SDLK_BACKSPACE: return 0x08;
    case SDLK_TAB: return 0x09;
    case SDLK_RETURN: return 0x0D;
    case SDLK_LSHIFT: case SDLK_RSHIFT: return 0x10;
    case SDLK_LCTRL: case SDLK_RCTRL: return 0x11;
    case SDLK_LALT: case SDLK_RALT: return 0x12;
    case SDLK_PAUSE: return 0x13;
    case SDLK_ESCAPE: return 0x1B;
    case SDLK_SPACE: return 0x20;
    case SDLK_PAGEUP: return 0x21;
    case SDLK_PAGEDOWN: return 0x22;
    case SDLK_END: return 0x23;
    case SDLK_HOME: return 0x24;
    case SDLK_LEFT: return 0x25;
    case SDLK_UP: return 0x26;
    case SDLK_RIGHT: return 0x27;
    case SDLK_DOWN: return 0x28;
    case SDLK_INSERT: return 0x2D;
    case SDLK_DELETE: return 0x2E;
    default: return 0;
    }
}

// 0 left, 1 right, 2 middle, as the Windows messages number them; 3 for
// the others, which the application ignores.
unsigned MouseButton(Uint8 button) {
    switch (button) {
    case SDL_BUTTON_LEFT: return 0;
    case SDL_BUTTON_RIGHT: return 1;
    case SDL_BUTTON_MIDDLE: return 2;
    default: return 3;
    }
}

// Out of fullscreen the window takes its windowed size again, in the middle.
void ToggleFullscreen(const kaWindowSystem& system) {
    SDL_Window* window = system.window;
    const bool fullscreen = (SDL_GetWindowFlags(window) & SDL_WINDOW_FULLSCREEN) != 0;
    if (SDL_SetWindowFullscreen(window, fullscreen ? 0 : SDL_WINDOW_FULLSCREEN_DESKTOP) != 0) {
        ReportSDLError("cannot switch fullscreen");
    } else if (fullscreen) {
        SDL_SetWindowSize(window, system.windowedWidth, system.windowedHeight);
        SDL_SetWindowPosition(window, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
    }
}

// The drawable's size in pixels, which is the window's but on HiDPI screens;
// the window's where the driver tells none.
void ReportDrawableSize(kaApplication& app, const kaWindowSystem& system) {
    if (system.fixedSize) return;
    int width = 0, height = 0;
    SDL_GL_GetDrawableSize(system.window, &width, &height);
    if (width <= 0 || height <= 0) SDL_GetWindowSize(system.window, &width, &height);
    app.OnResize(width, height);
}

// False for the events that end the message loop: the quit event and the
// window's close button.
bool HandleEvent(kaApplication& app, const kaWindowSystem& system, const SDL_Event& event) {
    const bool hasWindow = system.window != nullptr;
    switch (event.type) {
    case SDL_QUIT:
        return false;
    case SDL_WINDOWEVENT:
        if (event.window.event == SDL_WINDOWEVENT_CLOSE) return false;
        if (event.window.event == SDL_WINDOWEVENT_FOCUS_GAINED) app.OnActivate(1, 0);
        if (event.window.event == SDL_WINDOWEVENT_FOCUS_LOST) app.OnActivate(0, 0);
        if (event.window.event == SDL_WINDOWEVENT_SIZE_CHANGED && hasWindow) {
            ReportDrawableSize(app, system);
        }
        return true;
    case SDL_KEYDOWN:
        if (event.key.keysym.sym == SDLK_f && event.key.repeat == 0 && hasWindow) {
            ToggleFullscreen(system);
        }
        [[fallthrough]];
    case SDL_KEYUP:
        if (const unsigned key = VirtualKey(event.key.keysym.sym)) {
            app.OnKey(key, event.type == SDL_KEYDOWN);
        }
        return true;
    case SDL_MOUSEMOTION:
        app.OnMouseMove(static_cast<float>(event.motion.x), static_cast<float>(event.motion.y));
        return true;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        app.OnMouseButton(MouseButton(event.button.button), event.type == SDL_MOUSEBUTTONDOWN);
        return true;
    default:
        return true;
    }
}

}  // namespace

// In fullscreen a size of 0 x 0 asks for the display's own pixels: the
// client size is then the drawable's, as in a window, and follows it when it
// changes.  A size asked for in fullscreen is the client size however large
// the desktop: the render device draws that size and scales it.
int kaApplication::Create(const char* title, int width, int height, int bitsPerPixel,
                          int fullscreen) {
    if (mSystem == nullptr) mSystem = new kaWindowSystem();
    mFullscreen = fullscreen;
    mTitle = title;
    const bool displaySize = width <= 0 || height <= 0;
    if (!StartVideo(*mSystem) ||
        SetDisplayMode(displaySize ? kWindowedWidth : width,
                       displaySize ? kWindowedHeight : height, bitsPerPixel) == 0 ||
        mSystem->window == nullptr) {
        Destroy();
        ErrorBox("KA_ERR_INITFAILED", "Error creating window");
        return KA_ERR_INITFAILED;
    }
    mSystem->fixedSize = mFullscreen && !displaySize;
    mClientWidth = mSystem->fixedSize ? width : 0;
    mClientHeight = mSystem->fixedSize ? height : 0;
    ReportDrawableSize(*this, *mSystem);
    SDL_RaiseWindow(mSystem->window);
    return KA_OK;
}

int kaApplication::SetDisplayMode(int width, int height, int bitsPerPixel) {
    mWidth = width;
    mHeight = height;
    mBitsPerPixel = bitsPerPixel;
    if (mFullscreen) {
        if (ShowFullscreen(*mSystem, mTitle, width, height)) return 1;
        if (!AcceptWindowedMode()) return 0;
        mFullscreen = 0;
    }
    ShowWindowed(*mSystem, mTitle, width, height);
    return 1;
}

// Safe to call again.  Destroying the window gives the display its mode back.
int kaApplication::Destroy() {
    if (mSystem == nullptr) return 0;
    if (mSystem->window != nullptr) SDL_DestroyWindow(mSystem->window);
    if (mSystem->videoStarted) SDL_QuitSubSystem(SDL_INIT_VIDEO);
    delete mSystem;
    mSystem = nullptr;
    return 0;
}

void kaApplication::ShowCursor(bool visible) { SDL_ShowCursor(visible ? SDL_ENABLE : SDL_DISABLE); }

void* kaApplication::getWindow() const { return mSystem != nullptr ? mSystem->window : nullptr; }

bool kaApplication::HandleMessages() {
    const kaWindowSystem noWindow;
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
        if (!HandleEvent(*this, mSystem != nullptr ? *mSystem : noWindow, event)) return false;
    }
    return true;
}

// The event stays in the queue for HandleMessages.
void kaApplication::WaitForMessages(uint32_t milliseconds) {
    SDL_WaitEventTimeout(nullptr, static_cast<int>(milliseconds));
}

void kaApplication::ShowTitle(const char* text) {
    if (mSystem != nullptr && mSystem->window != nullptr) SDL_SetWindowTitle(mSystem->window, text);
}
