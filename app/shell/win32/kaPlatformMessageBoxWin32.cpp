#include "kaPlatformMessageBox.h"

#include <windows.h>

int kaPlatformMessageBox(const char* caption, const char* text, unsigned style) {
    return MessageBoxA(nullptr, text, caption, style);
}
