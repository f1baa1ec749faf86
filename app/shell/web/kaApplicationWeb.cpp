// The window in a browser is the page's canvas, "#canvas".  There is no
// display mode to change: the page lays the canvas out over the window (its
// fullscreen is the page's) and says its size in device pixels
// (vxCanvasPixels: CSS pixels times devicePixelRatio); the canvas's drawing
// buffer, the client area, has that size, kept up with it between frames (a
// resize, a zoom, another screen), else the size the program asks for.  Events arrive between frames, so there is never a message to
// wait for; a hidden page counts as an inactive window.
#include <emscripten.h>
#include <emscripten/html5.h>

#include "kaApplication.h"
#include "kaResult.h"

// Nothing to keep: the canvas is the page's.  Its presence marks a window
// that exists.
struct kaWindowSystem {};

namespace {

const char kCanvas[] = "#canvas";

// clang-format off
// The canvas's width (axis 0) or height (1) in device pixels as the page
// measures it; 0 when the page does not say.
EM_JS(int, vxCanvasPixels, (int axis), {
    const size = Module["vxCanvasPixels"] ? Module["vxCanvasPixels"]() : null;
    return size ? size[axis] | 0 : 0;
});
// clang-format on

// The page's size for the canvas, when it gives one.
bool PageCanvasSize(int* width, int* height) {
    *width = vxCanvasPixels(0);
    *height = vxCanvasPixels(1);
    return *width > 0 && *height > 0;
}

EM_BOOL OnKeyEvent(int type, const EmscriptenKeyboardEvent* event, void* application) {
    // keyCode is the Windows virtual-key code for the keys it names.
    static_cast<kaApplication*>(application)->OnKey(event->keyCode, type == EMSCRIPTEN_EVENT_KEYDOWN);
    return EM_FALSE;  // the page's own keys (F for fullscreen) still work
}

EM_BOOL OnMouseEvent(int type, const EmscriptenMouseEvent* event, void* application) {
    auto* app = static_cast<kaApplication*>(application);
    if (type == EMSCRIPTEN_EVENT_MOUSEMOVE) {
        app->OnMouseMove(static_cast<float>(event->targetX), static_cast<float>(event->targetY));
    } else if (event->button <= 2) {
        // The page numbers the middle button 1 and the right one 2.
        static const unsigned kButton[3] = {0, 2, 1};
        app->OnMouseButton(kButton[event->button], type == EMSCRIPTEN_EVENT_MOUSEDOWN);
    }
    return EM_FALSE;
}

EM_BOOL OnVisibility(int, const EmscriptenVisibilityChangeEvent* event, void* application) {
    static_cast<kaApplication*>(application)->OnActivate(event->hidden ? 0 : 1, 0);
    return EM_FALSE;
}

void Listen(kaApplication* application, bool on) {
    void* user = on ? application : nullptr;
    const em_key_callback_func key = on ? OnKeyEvent : nullptr;
    const em_mouse_callback_func mouse = on ? OnMouseEvent : nullptr;
    emscripten_set_keydown_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, user, EM_FALSE, key);
    emscripten_set_keyup_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, user, EM_FALSE, key);
    emscripten_set_mousemove_callback(kCanvas, user, EM_FALSE, mouse);
    emscripten_set_mousedown_callback(kCanvas, user, EM_FALSE, mouse);
    emscripten_set_mouseup_callback(kCanvas, user, EM_FALSE, mouse);
    emscripten_set_visibilitychange_callback(user, EM_FALSE, on ? OnVisibility : nullptr);
}

}  // namespace

int kaApplication::Create(const char* title, int width, int height, int bitsPerPixel, int) {
    mTitle = title;
    mFullscreen = 0;
    int pageWidth = 0, pageHeight = 0;
    if (PageCanvasSize(&pageWidth, &pageHeight)) {
        width = pageWidth;
        height = pageHeight;
    }
    SetDisplayMode(width, height, bitsPerPixel);
    if (emscripten_set_canvas_element_size(kCanvas, width, height) != EMSCRIPTEN_RESULT_SUCCESS) {
        return KA_ERR_INITFAILED;
    }
    mClientWidth = width;
    mClientHeight = height;
    mSystem = new kaWindowSystem;
    Listen(this, true);
    ShowTitle(title);
    return KA_OK;
}

int kaApplication::SetDisplayMode(int width, int height, int bitsPerPixel) {
    mWidth = width;
    mHeight = height;
    mBitsPerPixel = bitsPerPixel;
    return 1;
}

int kaApplication::Destroy() {
    if (mSystem != nullptr) Listen(this, false);
    delete mSystem;
    mSystem = nullptr;
    return 0;
}

// clang-format off
EM_JS(void, vxSetCanvasCursor, (int visible), {
    const canvas = document.querySelector("#canvas");
    if (canvas) canvas.style.cursor = visible ? "" : "none";
});

EM_JS(void, vxSetPageTitle, (const char* text), { document.title = UTF8ToString(text); });
// clang-format on

void kaApplication::ShowCursor(bool visible) { vxSetCanvasCursor(visible ? 1 : 0); }

void* kaApplication::getWindow() const {
    return mSystem != nullptr ? const_cast<char*>(kCanvas) : nullptr;
}

// The drawing buffer follows the page's size for the canvas.
bool kaApplication::HandleMessages() {
    int width = 0, height = 0;
    if (PageCanvasSize(&width, &height) && (width != mClientWidth || height != mClientHeight)) {
        emscripten_set_canvas_element_size(kCanvas, width, height);
        OnResize(width, height);
    }
    return true;
}

// The page's thread never waits: the page runs the loop's passes itself, at
// the pace its main loop's timing sets.
void kaApplication::WaitForMessages(uint32_t) {}

void kaApplication::ShowTitle(const char* text) { vxSetPageTitle(text); }
