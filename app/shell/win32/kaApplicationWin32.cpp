// The window on Win32: window class, display-mode change through the
// display settings (or a popup over the desktop in its own mode), and the
// window procedure that turns messages into the
// application's events.
#include "kaApplication.h"

#include <windows.h>

#include <cstring>

#include "kaMessageBox.h"
#include "kaResult.h"

struct kaWindowSystem {
    bool desktop;  // fullscreen over the desktop in its own mode
    DEVMODEA savedMode;
    DEVMODEA currentMode;
    HWND window;
    HINSTANCE instance;
};

namespace {

constexpr UINT kClassStyle = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS | CS_OWNDC | CS_IME;
constexpr DWORD kFullscreenStyle = WS_POPUP | WS_VISIBLE;
constexpr DWORD kWindowedStyle = WS_SYSMENU | WS_MINIMIZEBOX;
constexpr DWORD kExtendedStyle = WS_EX_APPWINDOW;
constexpr UINT_PTR kBackgroundBrush = 4;

// Returns 0 for every message the application handles; the rest take the
// default path.
LRESULT HandleMessage(kaApplication& app, HWND window, UINT message, WPARAM wParam,
                      LPARAM lParam) {
    switch (message) {
    case WM_ACTIVATE:
        app.OnActivate(wParam, lParam);
        return 0;
    case WM_CLOSE:
        PostQuitMessage(0);
        return 0;
    case WM_KEYDOWN:
    case WM_KEYUP:
        app.OnKey(static_cast<unsigned>(wParam), message == WM_KEYDOWN);
        return 0;
    case WM_SYSCOMMAND:
        if (wParam == SC_SCREENSAVE || wParam == SC_MONITORPOWER) return 0;
        break;
    case WM_MOUSEMOVE:
        app.OnMouseMove(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
        app.OnMouseButton(0, message == WM_LBUTTONDOWN);
        return 0;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
        app.OnMouseButton(1, message == WM_RBUTTONDOWN);
        return 0;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
        app.OnMouseButton(2, message == WM_MBUTTONDOWN);
        return 0;
    default:
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    kaApplication* app = kaApplication::Instance();
    if (app == nullptr) return DefWindowProcA(window, message, wParam, lParam);
    return HandleMessage(*app, window, message, wParam, lParam);
}

int RegisterWindowClass(const char* name, HINSTANCE instance) {
    WNDCLASSA windowClass = {};
    windowClass.style = kClassStyle;
    windowClass.lpfnWndProc = WindowProcedure;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(nullptr, MAKEINTRESOURCEA(32517));    // IDI_WINLOGO
    windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32515));  // IDC_CROSS
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(kBackgroundBrush);
    windowClass.lpszClassName = name;
    if (RegisterClassA(&windowClass) == 0) {
        ErrorBox("KA_ERR_INITFAILED", "Error registering window class");
        return KA_ERR_INITFAILED;
    }
    return KA_OK;
}

// Creates the window: a popup at the origin when fullscreen, else a framed
// window whose outer rectangle is centred in the work area.
HWND CreateMainWindow(const char* title, HINSTANCE instance, int width, int height,
                      bool fullscreen) {
    const DWORD style = fullscreen ? kFullscreenStyle : kWindowedStyle;
    const int screenWidth = GetSystemMetrics(SM_CXFULLSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYFULLSCREEN);
    // Windows gives every overlapped window a caption and a border whatever
    // its style says, so the frame is measured with them: the client area is
    // then the size asked for.
    const DWORD frameStyle = fullscreen ? style : style | WS_CAPTION;
    RECT rect = {0, 0, width, height};
    AdjustWindowRectEx(&rect, frameStyle, FALSE, kExtendedStyle);

    int x = 0;
    int y = 0;
    if (!fullscreen) {
        x = (rect.left - rect.right + screenWidth) >> 1;
        y = (rect.top - rect.bottom + screenHeight) >> 1;
    }
    return CreateWindowExA(kExtendedStyle, title, title, style, x, y, rect.right - rect.left,
                           rect.bottom - rect.top, nullptr, nullptr, instance, nullptr);
}

}  // namespace

int kaApplication::Create(const char* title, int width, int height, int bitsPerPixel,
                          int fullscreen) {
    if (mSystem == nullptr) mSystem = new kaWindowSystem();
    mFullscreen = fullscreen;
    mTitle = title;
    mSystem->savedMode.dmSize = sizeof mSystem->savedMode;
    EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &mSystem->savedMode);
    mSystem->desktop = fullscreen != 0 && (width <= 0 || height <= 0);
    if (mSystem->desktop) {
        width = static_cast<int>(mSystem->savedMode.dmPelsWidth);
        height = static_cast<int>(mSystem->savedMode.dmPelsHeight);
        bitsPerPixel = static_cast<int>(mSystem->savedMode.dmBitsPerPel);
    }

    if (SetDisplayMode(width, height, bitsPerPixel) == 0) {
        ErrorBox("KA_ERR_INITFAILED", "Error creating window");
        return KA_ERR_INITFAILED;
    }
    mSystem->instance = GetModuleHandleA(nullptr);
    if (RegisterWindowClass(mTitle, mSystem->instance) != KA_OK) return KA_ERR_INITFAILED;
    HWND window = CreateMainWindow(mTitle, mSystem->instance, mWidth, mHeight, mFullscreen != 0);
    if (window == nullptr) {
        Destroy();
        ErrorBox("KA_ERR_INITFAILED", "Error creating window");
        return KA_ERR_INITFAILED;
    }
    mSystem->window = window;
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    RECT client = {};
    GetClientRect(window, &client);
    mClientWidth = client.right - client.left;
    mClientHeight = client.bottom - client.top;
    SetFocus(window);
    mSystem->currentMode.dmSize = sizeof mSystem->currentMode;
    EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &mSystem->currentMode);
    return KA_OK;
}

int kaApplication::SetDisplayMode(int width, int height, int bitsPerPixel) {
    mWidth = width;
    mHeight = height;
    mBitsPerPixel = bitsPerPixel;
    if (mFullscreen && !(mSystem != nullptr && mSystem->desktop)) {
        DEVMODEA mode;
        std::memset(&mode, 0, sizeof mode);
        mode.dmSize = sizeof mode;
        mode.dmFields = DM_BITSPERPEL | DM_PELSWIDTH | DM_PELSHEIGHT;
        mode.dmBitsPerPel = bitsPerPixel;
        mode.dmPelsWidth = width;
        mode.dmPelsHeight = height;
        if (ChangeDisplaySettingsA(&mode, CDS_FULLSCREEN) == DISP_CHANGE_SUCCESSFUL) return 1;
        if (!AcceptWindowedMode()) return 0;
        mFullscreen = 0;
    }
    MoveWindow(static_cast<HWND>(getWindow()), 0, 0, width, height, TRUE);
    return 1;
}

// Safe to call again: what is gone is not touched twice.
int kaApplication::Destroy() {
    if (mSystem == nullptr) return 0;
    if (mSystem->window != nullptr && !DestroyWindow(mSystem->window)) {
        ErrorBox("KA_ERR_SHUTFAILED", "Error releasing window");
    }
    if (mSystem->instance != nullptr && !UnregisterClassA(mTitle, mSystem->instance)) {
        ErrorBox("KA_ERR_SHUTFAILED", "Could not unregister window class");
    }
    if (mFullscreen && !mSystem->desktop) ChangeDisplaySettingsA(&mSystem->savedMode, CDS_RESET);
    delete mSystem;
    mSystem = nullptr;
    return 0;
}

void kaApplication::ShowCursor(bool visible) { ::ShowCursor(visible ? TRUE : FALSE); }

void* kaApplication::getWindow() const { return mSystem != nullptr ? mSystem->window : nullptr; }

bool kaApplication::HandleMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) return false;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return true;
}

void kaApplication::WaitForMessages(uint32_t milliseconds) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, milliseconds, QS_ALLINPUT);
}

void kaApplication::ShowTitle(const char* text) {
    SetWindowTextA(static_cast<HWND>(getWindow()), text);
}
