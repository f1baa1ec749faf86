#pragma once

// Modal message boxes built from a caption and a printf-style text.  Every
// box of the program goes through ShowMessageBox, so a hook can observe (and
// answer) them instead of the platform.

enum kaMessageBoxStyle : unsigned {
    KA_MB_OK = 0x00,
    KA_MB_YESNO = 0x04,
    KA_MB_ICONERROR = 0x10,
    KA_MB_ICONWARNING = 0x30,
    KA_MB_ICONINFORMATION = 0x40,
};

enum kaMessageBoxAnswer : int {
    KA_IDOK = 1,
    KA_IDYES = 6,
    KA_IDNO = 7,
};

// Longest text a box shows; longer texts are cut.
constexpr unsigned kaMaxBoxText = 256;

// Receives a box instead of the platform and returns the button pressed.
using kaMessageBoxHook = int (*)(const char* caption, const char* text, unsigned style);

// Installs a hook (null restores the platform's boxes); returns the previous one.
kaMessageBoxHook SetMessageBoxHook(kaMessageBoxHook hook);

// Shows a box with no owner window and returns the button pressed.
int ShowMessageBox(const char* caption, const char* text, unsigned style);

#if defined(__GNUC__)
#define KA_PRINTF_ARGS(fmt, first) __attribute__((format(printf, fmt, first)))
#else
#define KA_PRINTF_ARGS(fmt, first)
#endif

int ErrorBox(const char* caption, const char* format, ...) KA_PRINTF_ARGS(2, 3);
void WarningBox(const char* caption, const char* format, ...) KA_PRINTF_ARGS(2, 3);
int InfoBox(const char* caption, const char* format, ...) KA_PRINTF_ARGS(2, 3);
