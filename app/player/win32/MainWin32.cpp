#include "Startup.h"
#include "kaMessageBox.h"
#include "kaOutputRequest.h"
#include "kaPlatformFolder.h"
#include "kaPlayerOptions.h"

#include <string>

namespace {

// How the display options play out on Windows, after the common usage.
const char kWindowsUsage[] =
    "Without options the demo switches the display to 800x600 in 16 bits, as it always has.\n"
    "--windowed plays in a framed window of --size (800x600 unless given).\n"
    "--size, --msaa or --no-vsync without --windowed cover the whole desktop in the\n"
    "display mode it is in (the mode is never changed), rendered at the desktop's pixels,\n"
    "or at --size widened to the screen's shape.\n"
    "Frames then wait for the display's refresh unless --no-vsync, but not with --msaa:\n"
    "Direct3D 8 shows a multisampled picture in a window at once.";

std::string FullUsage() { return std::string(kaPlayerOptions::Usage()) + "\n\n" + kWindowsUsage; }

}  // namespace

// The C runtime's WinMain start-up calls main.  The program first enters its
// own folder, so that a shortcut or a command prompt elsewhere finds the
// media at ..\xMedia and the plug-in and log beside the program; should that
// fail it goes on from where it was started.  The program answers 1 after the
// demo ran, 0 when start-up failed and 2 for a wrong command line, which it
// names in an error box; --help shows the usage in a box and answers 0.
int main(int argc, char** argv) {
    kaPlayerOptions options;
    const std::string wrong = options.Parse(argc - 1, argv + 1);
    if (!wrong.empty()) {
        ErrorBox("Vessamorix", "%s\n%s", wrong.c_str(), FullUsage().c_str());
        return 2;
    }
    if (options.help) {
        InfoBox("Vessamorix", "%s", FullUsage().c_str());
        return 0;
    }
    gOutputRequest = kaOutputRequest::ForWindowsPlayer(options);
    kaPlatformEnterProgramFolder();
    return PlayDemo(options);
}
