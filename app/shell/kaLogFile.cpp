#include "kaLogFile.h"

#include <cstdarg>

kaLogFile gLog;

kaLogFile::kaLogFile() : mFile(nullptr), mIndentation(0), mEnabled(1) {}

bool kaLogFile::Open(const char* name, const char* mode) {
    Close();
    mIndentation = 0;
    mFile = std::fopen(name, mode);
    return mFile != nullptr;
}

bool kaLogFile::Print(const char* format, ...) {
    if (!mEnabled) return true;
    if (format == nullptr || format[0] == '\0' || mFile == nullptr) return false;

    char text[kMaxText + 1] = {};
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);  // cuts texts that are too long
    va_end(args);

    std::fprintf(mFile, "%*s%s", static_cast<int>(mIndentation), "", text);
    return true;
}

bool kaLogFile::Close() {
    if (mFile == nullptr) return false;
    std::fclose(mFile);
    mFile = nullptr;
    return true;
}
