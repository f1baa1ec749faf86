#include "kaGLFunctions.h"

#include <string>

bool kaGLFunctions::Load(void* (*getProcAddress)(const char* name)) {
    bool complete = true;
#define KA_GL_LOAD(type, name)                                              \
    name = reinterpret_cast<type>(getProcAddress("gl" #name));              \
    complete = complete && name != nullptr;
    KA_GL_FUNCTIONS(KA_GL_LOAD)
#undef KA_GL_LOAD
    ClearDepthf = reinterpret_cast<void (*)(GLfloat)>(getProcAddress("glClearDepthf"));
    ClearDepth = reinterpret_cast<void (*)(double)>(getProcAddress("glClearDepth"));
    MapBufferRange = reinterpret_cast<PFNGLMAPBUFFERRANGEPROC>(getProcAddress("glMapBufferRange"));
    UnmapBuffer = reinterpret_cast<PFNGLUNMAPBUFFERPROC>(getProcAddress("glUnmapBuffer"));
    return complete && (ClearDepthf != nullptr || ClearDepth != nullptr);
}

void kaGLFunctions::ClearDepthValue(float depth) const {
    if (ClearDepthf != nullptr) {
        ClearDepthf(depth);
    } else {
        ClearDepth(depth);
    }
}
