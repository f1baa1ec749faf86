#include "Startup.h"
#include "kaApplication.h"

int PlayDemo() {
    if (!Startup()) return 0;
    gApp.Run();
    Shutdown();
    return 1;
}
