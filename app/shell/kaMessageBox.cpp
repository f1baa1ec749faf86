#include "kaMessageBox.h"

#include <cstdarg>
#include <cstdio>

#include "kaPlatformMessageBox.h"

namespace {

kaMessageBoxHook sHook = nullptr;

int ShowFormatted(const char* caption, unsigned style, const char* format, va_list args) {
    char text[kaMaxBoxText] = {};
    if (format != nullptr) std::vsnprintf(text, sizeof text, format, args);
    return ShowMessageBox(caption, text, style);
}

}  // namespace

kaMessageBoxHook SetMessageBoxHook(kaMessageBoxHook hook) {
    const kaMessageBoxHook previous = sHook;
    sHook = hook;
    return previous;
}

int ShowMessageBox(const char* caption, const char* text, unsigned style) {
    if (sHook != nullptr) return sHook(caption, text, style);
    return kaPlatformMessageBox(caption, text, style);
}

int ErrorBox(const char* caption, const char* format, ...) {
    va_list args;
    va_start(args, format);
    const int answer = ShowFormatted(caption, KA_MB_OK | KA_MB_ICONERROR, format, args);
    va_end(args);
    return answer;
}

void WarningBox(const char* caption, const char* format, ...) {
    va_list args;
    va_start(args, format);
    ShowFormatted(caption, KA_MB_OK | KA_MB_ICONWARNING, format, args);
    va_end(args);
}

int InfoBox(const char* caption, const char* format, ...) {
    va_list args;
    va_start(args, format);
    const int answer = ShowFormatted(caption, KA_MB_OK | KA_MB_ICONINFORMATION, format, args);
    va_end(args);
    return answer;
}
