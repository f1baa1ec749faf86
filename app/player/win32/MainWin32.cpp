#include "Startup.h"
#include "kaMessageBox.h"
#include "kaPlatformFolder.h"
#include "kaPlayerOptions.h"

// The C runtime's WinMain start-up calls main.  The program first enters its
// own folder, so that a shortcut or a command prompt elsewhere finds the
// media at ..\xMedia and the plug-in and log beside the program; should that
// fail it goes on from where it was started.  The program answers 1 after the
// demo ran, 0 when start-up failed and 2 for a wrong command line, which it
// names in an error box.
int main(int argc, char** argv) {
    kaPlayerOptions options;
    const std::string wrong = options.Parse(argc - 1, argv + 1);
    if (!wrong.empty()) {
        ErrorBox("Vessamorix", "%s\n%s", wrong.c_str(), kaPlayerOptions::Usage());
        return 2;
    }
    kaPlatformEnterProgramFolder();
    return PlayDemo(options);
}
