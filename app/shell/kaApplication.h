#pragma once

#include <cstdint>

#include "kaFramePacer.h"

// The platform's side of the window (handles, display modes, the message
// queue); each platform defines it in its own source file.
struct kaWindowSystem;

// The program's one window: display mode, window, cursor and the message loop
// that calls the frame callback whenever no message waits.  The platform's
// message handling reports keys, mouse, activation and closing through the
// On* operations; everything else here is the same on every platform.
class kaApplication {
public:
    using FrameCallback = int (*)();
    using ActivateCallback = int (*)(uintptr_t wParam, intptr_t lParam);
    // The client area's new size in pixels (the drawable's, on HiDPI screens).
    using ResizeCallback = void (*)(int width, int height);

    kaApplication();
    kaApplication(const kaApplication&) = delete;
    kaApplication& operator=(const kaApplication&) = delete;
    ~kaApplication();

    // ---- Platform ----
    // 0, or 11 after the failure's box.  Fullscreen at 0 x 0 covers the
    // desktop in the mode it is in, at its pixels (no mode change).  When the
    // display refuses the fullscreen mode the user is asked whether to run in
    // a window.
    int Create(const char* title, int width, int height, int bitsPerPixel, int fullscreen);
    // 1, or 0 when fullscreen was refused and the user declined a window.
    int SetDisplayMode(int width, int height, int bitsPerPixel);
    // Destroys the window and restores the display mode; returns 0.
    int Destroy();
    void ShowCursor(bool visible);
    // The platform's window handle (the HWND on Windows, the SDL_Window*
    // elsewhere); null before Create.
    void* getWindow() const;

    // ---- The same everywhere ----
    // Handles every waiting message, then draws a frame while active; ends
    // with 1 on the quit message or when the frame callback answers 0.  With
    // a frame-rate limit it waits for messages between frames.
    int Run();
    // One pass of that loop, for a platform that runs it itself (the
    // browser, one pass per tick of the page): false once the loop ends.
    // A frame not yet due under the limit is left for a later pass.
    bool Step();
    // At most `fps` frames a second (0, the default: one every pass).
    void setFrameRateLimit(unsigned fps) { mPacer.SetRate(fps); }
    // For a loop of its own that handles no messages (the closing pictures):
    // sleeps until the limit lets the next frame through.
    void WaitForFrame();
    void SetTitle(const char* format, ...)
#if defined(__GNUC__)
        __attribute__((format(printf, 2, 3)))
#endif
        ;
    void getClientSize(int* width, int* height) const;

    void setFrameCallback(FrameCallback callback) { mFrameCallback = callback; }
    void setActivateCallback(ActivateCallback callback) { mActivateCallback = callback; }
    void setResizeCallback(ResizeCallback callback) { mResizeCallback = callback; }
    int isFullscreen() const { return mFullscreen; }
    bool isKeyDown(unsigned char key) const { return mKeys[key] != 0; }
    float getMouseMotionX() const { return mMouseMotion[0]; }
    float getMouseMotionY() const { return mMouseMotion[1]; }

    // ---- Events from the platform's message handling ----
    void OnActivate(uintptr_t wParam, intptr_t lParam);
    void OnKey(unsigned key, bool down);  // key: the platform's virtual-key code
    void OnMouseMove(float x, float y);
    void OnMouseButton(unsigned button, bool down);  // 0 left, 1 right, 2 middle
    // The client area now has this size: kept as the client size and passed
    // to the resize callback when it changed; a zero side (a minimised
    // window) is ignored.
    void OnResize(int width, int height);

    // The object behind the platform's message handling, null when there is none.
    static kaApplication* Instance();

private:
    // Asked when the display refuses the fullscreen mode: true when the user
    // takes a window instead (the caller then runs windowed), false after
    // telling them that nothing else can be done.
    static bool AcceptWindowedMode();
    // Platform: handles every waiting message; false once the quit message came.
    bool HandleMessages();
    // Platform: waits until a message arrives or `milliseconds` have passed.
    void WaitForMessages(uint32_t milliseconds);
    // Platform: shows the text as the window's title.
    void ShowTitle(const char* text);

    unsigned char mKeys[256];
    unsigned char mMouseButtons[3];
    float mMouseX, mMouseY;
    float mMouseMotion[3];
    FrameCallback mFrameCallback;
    ActivateCallback mActivateCallback;
    ResizeCallback mResizeCallback;
    const char* mTitle;
    int mWidth, mHeight, mBitsPerPixel;
    int mFullscreen;
    int mClientWidth, mClientHeight;
    kaWindowSystem* mSystem;
    kaFramePacer mPacer;
};

extern kaApplication gApp;
