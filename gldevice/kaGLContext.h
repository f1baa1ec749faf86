#pragma once

#include "kaGLFunctions.h"

// Which kind of context the device runs on: OpenGL 3.3 core with GLSL 330,
// or OpenGL ES 3.0 (WebGL 2) with GLSL ES 3.00.
enum class kaGLContextKind { Core33, Es30 };

// The seam between the device and the platform's window system: the GL
// context on the player's window, its entry points, presentation and the
// window's display modes.  One implementation per platform (SDL natively).
class kaGLContext {
public:
    // The kind asked for by VX_GL_CONTEXT ("core33", the default, or "es3").
    static kaGLContextKind RequestedKind();

    // Creates a context of that kind on the window (an SDL_Window* natively)
    // and loads the entry points; null when the platform refuses.
    static kaGLContext* Create(void* window, kaGLContextKind kind);

    // Whether the window system is up (the plug-in's doLoad started it).
    static bool PlatformLoaded();
    static int LoadPlatform();
    static int UnloadPlatform();

    // Number of displays, their names and modes (width, height, bits, refresh).
    static unsigned DisplayCount();
    static const char* DisplayName(unsigned display);
    static unsigned DisplayModeCount(unsigned display);
    static bool DisplayMode(unsigned display, unsigned index, unsigned mode[4]);
    // Puts the window in full screen in display mode `index`; false when refused.
    bool EnterFullscreen(unsigned index);

    const kaGLFunctions& gl() const { return mGL; }
    kaGLContextKind getKind() const { return mKind; }
    bool HasExtension(const char* name) const;
    // Whether textures take swizzles (GL and OpenGL ES 3.0 do, WebGL 2 not).
    bool HasTextureSwizzle() const;
    // Size of the window's drawable in pixels.
    void DrawableSize(int* width, int* height) const;
    void Present();
    // Whether Present waits for the display's vertical retrace.
    void SetVerticalSync(bool wait);
    void Release();

private:
    kaGLContext(void* window, void* context, kaGLContextKind kind)
        : mWindow(window), mContext(context), mKind(kind), mGL() {}
    ~kaGLContext() = default;

    void* mWindow;
    void* mContext;
    kaGLContextKind mKind;
    kaGLFunctions mGL;
};
