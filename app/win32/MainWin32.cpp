#include "Startup.h"
#include "kaPlatformFolder.h"

// The C runtime's WinMain start-up calls main.  The program first enters its
// own folder, so that a shortcut or a command prompt elsewhere finds the
// media at ..\xMedia and the plug-in and log beside the program; should that
// fail it goes on from where it was started.  The program answers 1 after the
// demo ran and 0 when start-up failed.
int main() {
    kaPlatformEnterProgramFolder();
    return PlayDemo();
}
