#pragma once

// Shows a modal box on the platform, with no owner window, and returns the
// button pressed (kaMessageBoxAnswer).  Each platform implements it in its
// own source file; the program reaches it only through ShowMessageBox.
int kaPlatformMessageBox(const char* caption, const char* text, unsigned style);
