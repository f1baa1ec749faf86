#include "kaApplication.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "kaActivation.h"
#include "kaMessageBox.h"
#include "kaResult.h"

namespace {

kaApplication* sInstance = nullptr;

constexpr UINT kClassStyle = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS | CS_OWNDC | CS_IME;
constexpr DWORD kFullscreenStyle = WS_POPUP | WS_VISIBLE;
constexpr DWORD kWindowedStyle = WS_SYSMENU | WS_MINIMIZEBOX;
constexpr DWORD kExtendedStyle = WS_EX_APPWINDOW;
constexpr UINT_PTR kBackgroundBrush = 4;

LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (sInstance == nullptr) return DefWindowProcA(window, message, wParam, lParam);
    return sInstance->MessageHandler(window, message, wParam, lParam);
}

}  // namespace

kaApplication::kaApplication()
    : mKeys(), mMouseButtons(), mMouseX(0), mMouseY(0), mMouseMotion(),
      mFrameCallback(nullptr), mActivateCallback(nullptr), mTitle(nullptr), mWidth(0),
      mHeight(0), mBitsPerPixel(0), mFullscreen(0), mSavedMode(), mCurrentMode(),
      mWindow(nullptr), mInstance(nullptr), mClientRect(), mMessage() {
    sInstance = this;
}

kaApplication::~kaApplication() {
    Destroy();
    sInstance = nullptr;
}

kaApplication* kaApplication::Instance() { return sInstance; }

int kaApplication::Create(const char* title, int width, int height, int bitsPerPixel,
                          int fullscreen) {
    mFullscreen = fullscreen;
    mTitle = title;
    mSavedMode.dmSize = sizeof mSavedMode;
    EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &mSavedMode);

    if (SetDisplayMode(width, height, bitsPerPixel) == 0) {
        ErrorBox("KA_ERR_INITFAILED", "Error creating window");
        return KA_ERR_INITFAILED;
    }
    if (RegisterWindowClass() != KA_OK) return KA_ERR_INITFAILED;
    if (CreateMainWindow() != KA_OK) {
        Destroy();
        ErrorBox("KA_ERR_INITFAILED", "Error creating window");
        return KA_ERR_INITFAILED;
    }
    ShowWindow(mWindow, SW_SHOW);
    UpdateWindow(mWindow);
    GetClientRect(mWindow, &mClientRect);
    SetFocus(mWindow);
    mCurrentMode.dmSize = sizeof mCurrentMode;
    EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &mCurrentMode);
    return KA_OK;
}

int kaApplication::RegisterWindowClass() {
    mInstance = GetModuleHandleA(nullptr);
    WNDCLASSA windowClass = {};
    windowClass.style = kClassStyle;
    windowClass.lpfnWndProc = WindowProcedure;
    windowClass.hInstance = mInstance;
    windowClass.hIcon = LoadIconA(nullptr, MAKEINTRESOURCEA(32517));    // IDI_WINLOGO
    windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32515));  // IDC_CROSS
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(kBackgroundBrush);
    windowClass.lpszClassName = mTitle;
    if (RegisterClassA(&windowClass) == 0) {
        ErrorBox("KA_ERR_INITFAILED", "Error registering window class");
        return KA_ERR_INITFAILED;
    }
    return KA_OK;
}

// Creates the window: a popup at the origin when fullscreen, else a framed
// window whose outer rectangle is centred in the work area.
int kaApplication::CreateMainWindow() {
    const DWORD style = mFullscreen ? kFullscreenStyle : kWindowedStyle;
    const int screenWidth = GetSystemMetrics(SM_CXFULLSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYFULLSCREEN);
    // Windows gives every overlapped window a caption and a border whatever
    // its style says, so the frame is measured with them: the client area is
    // then the size asked for.
    const DWORD frameStyle = mFullscreen ? style : style | WS_CAPTION;
    RECT rect = {0, 0, mWidth, mHeight};
    AdjustWindowRectEx(&rect, frameStyle, FALSE, kExtendedStyle);

    int x = 0;
    int y = 0;
    if (!mFullscreen) {
        x = (rect.left - rect.right + screenWidth) >> 1;
        y = (rect.top - rect.bottom + screenHeight) >> 1;
    }
    mWindow = CreateWindowExA(kExtendedStyle, mTitle, mTitle, style, x, y,
                              rect.right - rect.left, rect.bottom - rect.top, nullptr,
                              nullptr, mInstance, nullptr);
    return mWindow != nullptr ? KA_OK : KA_ERR_INITFAILED;
}

int kaApplication::SetDisplayMode(int width, int height, int bitsPerPixel) {
    mWidth = width;
    mHeight = height;
    mBitsPerPixel = bitsPerPixel;
    if (mFullscreen) {
        DEVMODEA mode;
        std::memset(&mode, 0, sizeof mode);
        mode.dmSize = sizeof mode;
        mode.dmFields = DM_BITSPERPEL | DM_PELSWIDTH | DM_PELSHEIGHT;
        mode.dmBitsPerPel = bitsPerPixel;
        mode.dmPelsWidth = width;
        mode.dmPelsHeight = height;
        if (ChangeDisplaySettingsA(&mode, CDS_FULLSCREEN) == DISP_CHANGE_SUCCESSFUL) return 1;
        const int answer = ShowMessageBox(
            "DAMM!!!", "Requested fullscreen mode not supported.\nUse windowed mode ?",
            KA_MB_ICONWARNING | KA_MB_YESNO);
        if (answer != KA_IDYES) {
            InfoBox("DAMM!!!", "It wasn't me!!!");
            return 0;
        }
        mFullscreen = 0;
    }
    MoveWindow(mWindow, 0, 0, width, height, TRUE);
    return 1;
}

int kaApplication::Destroy() {
    if (mWindow != nullptr && !DestroyWindow(mWindow)) {
        ErrorBox("KA_ERR_SHUTFAILED", "Error releasing window");
    }
    if (mInstance != nullptr && !UnregisterClassA(mTitle, mInstance)) {
        ErrorBox("KA_ERR_SHUTFAILED", "Could not unregister window class");
    }
    if (mFullscreen) ChangeDisplaySettingsA(&mSavedMode, CDS_RESET);
    mWindow = nullptr;
    mInstance = nullptr;
    return 0;
}

// Handles every waiting message before each frame; ends on the quit message
// or when the frame callback answers 0.  No frame is drawn while inactive.
int kaApplication::Run() {
    for (;;) {
        while (PeekMessageA(&mMessage, nullptr, 0, 0, PM_REMOVE)) {
            if (mMessage.message == WM_QUIT) return 1;
            TranslateMessage(&mMessage);
            DispatchMessageA(&mMessage);
        }
        if (mFrameCallback != nullptr && gActive != 0 && mFrameCallback() == 0) return 1;
        mMouseMotion[0] = mMouseMotion[1] = mMouseMotion[2] = 0;
    }
}

void kaApplication::SetTitle(const char* format, ...) {
    char text[256] = {};
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    SetWindowTextA(mWindow, text);
}

void kaApplication::getClientSize(int* width, int* height) const {
    *width = mClientRect.right - mClientRect.left;
    *height = mClientRect.bottom - mClientRect.top;
}

void kaApplication::OnMouseMove(LPARAM lParam) {
    const float x = static_cast<short>(LOWORD(lParam));
    const float y = static_cast<short>(HIWORD(lParam));
    mMouseMotion[0] = mMouseX - x;
    mMouseMotion[1] = mMouseY - y;
    mMouseX = x;
    mMouseY = y;
}

LRESULT kaApplication::MessageHandler(HWND window, UINT message, WPARAM wParam,
                                      LPARAM lParam) {
    switch (message) {
    case WM_ACTIVATE:
        if (mActivateCallback != nullptr) mActivateCallback(wParam, lParam);
        return 0;
    case WM_CLOSE:
        PostQuitMessage(0);
        return 0;
    case WM_KEYDOWN:
    case WM_KEYUP:
        mKeys[wParam & 0xFF] = message == WM_KEYDOWN ? 1 : 0;
        return 0;
    case WM_SYSCOMMAND:
        if (wParam == SC_SCREENSAVE || wParam == SC_MONITORPOWER) return 0;
        break;
    case WM_MOUSEMOVE:
        OnMouseMove(lParam);
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
        mMouseButtons[0] = message == WM_LBUTTONDOWN ? 1 : 0;
        return 0;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
        mMouseButtons[1] = message == WM_RBUTTONDOWN ? 1 : 0;
        return 0;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
        mMouseButtons[2] = message == WM_MBUTTONDOWN ? 1 : 0;
        return 0;
    default:
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
