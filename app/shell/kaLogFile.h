#pragma once

#include <cstdio>

// A plain-text log written with printf-style lines.  The program keeps one,
// gLog, open during start-up only.
class kaLogFile {
public:
    // Longest text one Print writes; longer texts are cut.
    static constexpr unsigned kMaxText = 512;

    kaLogFile();
    kaLogFile(const kaLogFile&) = delete;
    kaLogFile& operator=(const kaLogFile&) = delete;

    bool Open(const char* name, const char* mode);
    bool Print(const char* format, ...)
#if defined(__GNUC__)
        __attribute__((format(printf, 2, 3)))
#endif
        ;
    bool Close();

    bool isOpen() const { return mFile != nullptr; }
    void setEnabled(bool enabled) { mEnabled = enabled ? 1 : 0; }

private:
    FILE* mFile;
    unsigned mIndentation;
    unsigned char mEnabled;
};

extern kaLogFile gLog;
