#pragma once

#if !defined(_WIN32)
#error "kaApplication is the Windows window of the player"
#endif

#include <windows.h>

#include <cstdint>

// The program's one window: window class, display mode, message handler and
// the message loop that calls the frame callback whenever no message waits.
class kaApplication {
public:
    using FrameCallback = int (*)();
    using ActivateCallback = int (*)(uintptr_t wParam, intptr_t lParam);

    kaApplication();
    kaApplication(const kaApplication&) = delete;
    kaApplication& operator=(const kaApplication&) = delete;
    ~kaApplication();

    virtual LRESULT MessageHandler(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    int Create(const char* title, int width, int height, int bitsPerPixel, int fullscreen);
    int SetDisplayMode(int width, int height, int bitsPerPixel);
    int Destroy();
    int Run();
    void SetTitle(const char* format, ...);
    void getClientSize(int* width, int* height) const;

    void setFrameCallback(FrameCallback callback) { mFrameCallback = callback; }
    void setActivateCallback(ActivateCallback callback) { mActivateCallback = callback; }
    HWND getWindow() const { return mWindow; }
    int isFullscreen() const { return mFullscreen; }
    bool isKeyDown(unsigned char key) const { return mKeys[key] != 0; }
    float getMouseMotionX() const { return mMouseMotion[0]; }
    float getMouseMotionY() const { return mMouseMotion[1]; }

    // The object behind the window procedure, null when there is none.
    static kaApplication* Instance();

private:
    int CreateMainWindow();
    int RegisterWindowClass();
    void OnMouseMove(LPARAM lParam);

    unsigned char mKeys[256];
    unsigned char mMouseButtons[3];
    float mMouseX, mMouseY;
    float mMouseMotion[3];
    FrameCallback mFrameCallback;
    ActivateCallback mActivateCallback;
    const char* mTitle;
    int mWidth, mHeight, mBitsPerPixel;
    int mFullscreen;
    DEVMODEA mSavedMode;
    DEVMODEA mCurrentMode;
    HWND mWindow;
    HINSTANCE mInstance;
    RECT mClientRect;
    MSG mMessage;
};

extern kaApplication gApp;
