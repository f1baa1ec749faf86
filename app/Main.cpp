#include <cstdlib>

#include "Startup.h"
#include "kaApplication.h"
#include "kaLogFile.h"

kaApplication gApp;

namespace {

void CloseLogAtExit() { gLog.Close(); }

// Registered at static initialisation, after gApp is constructed: the log is
// closed at exit before gApp is destroyed (which restores the display mode).
const int sExitHandlers = (std::atexit(CloseLogAtExit), 0);

}  // namespace

// The entry of every platform (on Windows the C runtime's WinMain start-up
// calls it too).  1 after the demo ran, 0 when start-up failed.
int main() {
    (void)sExitHandlers;
    if (!Startup()) return 0;
    gApp.Run();
    Shutdown();
    return 1;
}
