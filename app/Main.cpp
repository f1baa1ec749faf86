#include "Startup.h"
#include "kaApplication.h"

// The entry of every platform (on Windows the C runtime's WinMain start-up
// calls it too).  1 after the demo ran, 0 when start-up failed.
int main() {
    if (!Startup()) return 0;
    gApp.Run();
    Shutdown();
    return 1;
}
