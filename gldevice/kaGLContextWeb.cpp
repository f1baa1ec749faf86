// The GL context seam in a browser: a WebGL 2 context on the page's canvas
// (the player's window is the canvas's selector, "#canvas").  The browser
// shows what was drawn when the frame's tick ends, so presenting has nothing
// to do; display modes and fullscreen are the page's.
#include <emscripten.h>
#include <emscripten/html5.h>

#include <new>

#include "kaGLContext.h"
#include "kaResult.h"

namespace {

bool gLoaded = false;

void* ProcAddress(const char* name) { return emscripten_webgl_get_proc_address(name); }

// clang-format off
// Whether the page reads frames back between ticks (its still frames), which
// needs the drawing kept after it is shown.
EM_JS(int, vxKeepsFrames, (), { return Module["vxKeepFrames"] ? 1 : 0; });

EM_JS(int, vxHasWebGLExtension, (const char* name), {
    const context = GL.currentContext && GL.currentContext.GLctx;
    const wanted = UTF8ToString(name).replace(/^GL_/, "");
    return context && (context.getSupportedExtensions() || []).includes(wanted) ? 1 : 0;
});
// clang-format on

}  // namespace

// WebGL 2 is OpenGL ES 3.0.
kaGLContextKind kaGLContext::RequestedKind() { return kaGLContextKind::Es30; }

bool kaGLContext::PlatformLoaded() { return gLoaded; }

int kaGLContext::LoadPlatform() {
    gLoaded = true;
    return KA_OK;
}

int kaGLContext::UnloadPlatform() {
    if (!gLoaded) return KA_ERR_WRONGSTATE;
    gLoaded = false;
    return KA_OK;
}

// One display: the canvas, with its present size as its one mode.
unsigned kaGLContext::DisplayCount() { return 1; }

const char* kaGLContext::DisplayName(unsigned) { return "WebGL 2 canvas"; }

unsigned kaGLContext::DisplayModeCount(unsigned display) { return display == 0 ? 1 : 0; }

bool kaGLContext::DisplayMode(unsigned display, unsigned index, unsigned mode[4]) {
    int width = 0, height = 0;
    if (display != 0 || index != 0 ||
        emscripten_get_canvas_element_size("#canvas", &width, &height) != EMSCRIPTEN_RESULT_SUCCESS) {
        return false;
    }
    mode[0] = static_cast<unsigned>(width);
    mode[1] = static_cast<unsigned>(height);
    mode[2] = 32;
    mode[3] = 0;
    return true;
}

bool kaGLContext::EnterFullscreen(unsigned) { return false; }

kaGLContext* kaGLContext::Create(void* window, kaGLContextKind kind) {
    if (window == nullptr || kind != kaGLContextKind::Es30) return nullptr;
    const char* canvas = static_cast<const char*>(window);
    EmscriptenWebGLContextAttributes attributes;
    emscripten_webgl_init_context_attributes(&attributes);
    attributes.majorVersion = 2;
    attributes.minorVersion = 0;
    // The device draws into a back buffer of its own and copies it out.
    attributes.alpha = EM_FALSE;
    attributes.depth = EM_FALSE;
    attributes.stencil = EM_FALSE;
    attributes.antialias = EM_FALSE;
    attributes.preserveDrawingBuffer = vxKeepsFrames() ? EM_TRUE : EM_FALSE;
    const EMSCRIPTEN_WEBGL_CONTEXT_HANDLE context = emscripten_webgl_create_context(canvas, &attributes);
    if (context <= 0) return nullptr;
    emscripten_webgl_make_context_current(context);
    kaGLContext* created = new (std::nothrow) kaGLContext(window, reinterpret_cast<void*>(context), kind);
    if (created == nullptr || !created->mGL.Load(ProcAddress)) {
        delete created;
        emscripten_webgl_destroy_context(context);
        return nullptr;
    }
    return created;
}

bool kaGLContext::HasExtension(const char* name) const { return vxHasWebGLExtension(name) != 0; }

bool kaGLContext::HasTextureSwizzle() const { return false; }

void kaGLContext::DrawableSize(int* width, int* height) const {
    emscripten_get_canvas_element_size(static_cast<const char*>(mWindow), width, height);
}

void kaGLContext::Present() {}

// The page's main loop paces the frames, not the context.
void kaGLContext::SetVerticalSync(bool) {}

void kaGLContext::Release() {
    emscripten_webgl_destroy_context(
        static_cast<EMSCRIPTEN_WEBGL_CONTEXT_HANDLE>(reinterpret_cast<intptr_t>(mContext)));
    delete this;
}
