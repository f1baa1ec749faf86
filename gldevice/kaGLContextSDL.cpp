// The GL context seam on SDL 2: the player's window is an SDL_Window*.
#include <SDL.h>

#include <cstdlib>
#include <cstring>
#include <new>

#include "kaGLContext.h"
#include "kaResult.h"

namespace {

bool gVideoStarted = false;

void* ProcAddress(const char* name) { return SDL_GL_GetProcAddress(name); }

void AskFor(kaGLContextKind kind) {
    SDL_GL_ResetAttributes();
    if (kind == kaGLContextKind::Es30) {
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_ES);
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 0);
    } else {
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
    }
    // The device draws into its own back buffer; the window only shows it.
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 0);
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 0);
}

}  // namespace

kaGLContextKind kaGLContext::RequestedKind() {
    const char* wanted = std::getenv("VX_GL_CONTEXT");
    return wanted != nullptr && std::strcmp(wanted, "es3") == 0 ? kaGLContextKind::Es30
                                                                : kaGLContextKind::Core33;
}

bool kaGLContext::PlatformLoaded() { return gVideoStarted; }

int kaGLContext::LoadPlatform() {
    if (gVideoStarted) return KA_OK;
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return KA_ERR_INITFAILED;
    gVideoStarted = true;
    return KA_OK;
}

int kaGLContext::UnloadPlatform() {
    if (!gVideoStarted) return KA_ERR_WRONGSTATE;
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    gVideoStarted = false;
    return KA_OK;
}

unsigned kaGLContext::DisplayCount() {
    const int count = SDL_GetNumVideoDisplays();
    return count > 0 ? static_cast<unsigned>(count) : 0;
}

const char* kaGLContext::DisplayName(unsigned display) {
    const char* name = SDL_GetDisplayName(static_cast<int>(display));
    return name != nullptr ? name : "";
}

unsigned kaGLContext::DisplayModeCount(unsigned display) {
    const int count = SDL_GetNumDisplayModes(static_cast<int>(display));
    return count > 0 ? static_cast<unsigned>(count) : 0;
}

// 32 bits for four-byte formats, 16 for R5G6B5, 0 for the formats not listed.
bool kaGLContext::DisplayMode(unsigned display, unsigned index, unsigned mode[4]) {
    SDL_DisplayMode found;
    if (SDL_GetDisplayMode(static_cast<int>(display), static_cast<int>(index), &found) != 0) {
        return false;
    }
    unsigned bits = 0;
    if (SDL_BYTESPERPIXEL(found.format) == 4) bits = 32;
    if (found.format == SDL_PIXELFORMAT_RGB565) bits = 16;
    mode[0] = static_cast<unsigned>(found.w);
    mode[1] = static_cast<unsigned>(found.h);
    mode[2] = bits;
    mode[3] = static_cast<unsigned>(found.refresh_rate);
    return true;
}

kaGLContext* kaGLContext::Create(void* window, kaGLContextKind kind) {
    auto* sdlWindow = static_cast<SDL_Window*>(window);
    AskFor(kind);
    SDL_GLContext context = SDL_GL_CreateContext(sdlWindow);
    if (context == nullptr) return nullptr;
    kaGLContext* created = new (std::nothrow) kaGLContext(window, context, kind);
    if (created == nullptr || !created->mGL.Load(ProcAddress)) {
        delete created;
        SDL_GL_DeleteContext(context);
        return nullptr;
    }
    return created;
}

bool kaGLContext::EnterFullscreen(unsigned index) {
    auto* window = static_cast<SDL_Window*>(mWindow);
    SDL_DisplayMode mode;
    const int display = SDL_GetWindowDisplayIndex(window);
    if (display < 0 || SDL_GetDisplayMode(display, static_cast<int>(index), &mode) != 0) {
        return false;
    }
    return SDL_SetWindowDisplayMode(window, &mode) == 0 &&
           SDL_SetWindowFullscreen(window, SDL_WINDOW_FULLSCREEN) == 0;
}

// VX_GL_TEXTURE_SWIZZLE=0 stores textures as a WebGL 2 context must, without
// swizzles, so that the browser's texture path runs and is tested natively.
bool kaGLContext::HasTextureSwizzle() const {
    const char* wanted = std::getenv("VX_GL_TEXTURE_SWIZZLE");
    return wanted == nullptr || std::strcmp(wanted, "0") != 0;
}

bool kaGLContext::HasExtension(const char* name) const {
    GLint count = 0;
    mGL.GetIntegerv(GL_NUM_EXTENSIONS, &count);
    for (GLint i = 0; i < count; ++i) {
        const auto* extension = reinterpret_cast<const char*>(mGL.GetStringi(GL_EXTENSIONS, i));
        if (extension != nullptr && std::strcmp(extension, name) == 0) return true;
    }
    return false;
}

void kaGLContext::DrawableSize(int* width, int* height) const {
    SDL_GL_GetDrawableSize(static_cast<SDL_Window*>(mWindow), width, height);
}

void kaGLContext::Present() { SDL_GL_SwapWindow(static_cast<SDL_Window*>(mWindow)); }

// Waiting is adaptive where the driver offers it (a late frame is shown at
// once rather than a whole refresh later), else on every refresh.
void kaGLContext::SetVerticalSync(bool wait) {
    if (!wait) {
        SDL_GL_SetSwapInterval(0);
    } else if (SDL_GL_SetSwapInterval(-1) != 0) {
        SDL_GL_SetSwapInterval(1);
    }
}

void kaGLContext::Release() {
    SDL_GL_MakeCurrent(static_cast<SDL_Window*>(mWindow), nullptr);
    SDL_GL_DeleteContext(static_cast<SDL_GLContext>(mContext));
    delete this;
}
