#include <windows.h>

#include "Startup.h"
#include "kaApplication.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    if (!Startup()) return 0;
    gApp.Run();
    Shutdown();
    return 1;
}
