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
    "--size, --msaa or --no-vsync without --windowed cover the whole desktop in the display "
    "mode it is in (the mode is never changed), rendered at the desktop's pixels, or at --size "
    "widened to the screen's shape.\n"
    "Frames then wait for the display's refresh unless --no-vsync, but not with --msaa: "
    "Direct3D 8 shows a multisampled picture in a window at once.";

// The usage, after what is wrong when something is.  Shown whole: the
// formatting boxes cut their text at kaMaxBoxText, which the usage exceeds.
int UsageBox(const std::string& wrong, unsigned icon) {
    const std::string usage = std::string(kaPlayerOptions::Usage()) + "\n\n" + kWindowsUsage;
    const std::string text = wrong.empty() ? usage : wrong + "\n" + usage;
    return ShowMessageBox("Vessamorix", text.c_str(), KA_MB_OK | icon);
}

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
        UsageBox(wrong, KA_MB_ICONERROR);
        return 2;
    }
    if (options.help) {
        UsageBox("", KA_MB_ICONINFORMATION);
        return 0;
    }
    gOutputRequest = kaOutputRequest::ForWindowsPlayer(options);
    kaPlatformEnterProgramFolder();
    return PlayDemo(options);
}
