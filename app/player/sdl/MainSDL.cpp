// The native player's entry.  It runs from its own folder, wherever it was
// started from (see kaPlatformFolder.h).  It plays fullscreen over the desktop
// at the display's own pixels (or at --size, scaled), or in a window, and
// waits for the display's refresh unless told not to.  The exit status follows the Unix
// custom: 0 after the demo ran, 1 when start-up failed, 2 for a wrong
// command line.
#include <cstdio>
#include <cstdlib>

#include "Startup.h"
#include "kaOutputRequest.h"
#include "kaPlatformFolder.h"
#include "kaPlayerOptions.h"

namespace {

void RequestOutput(const kaPlayerOptions& options) {
    gOutputRequest = options.output;
    gOutputRequest.windowed = options.windowed;
    gOutputRequest.vsync = options.vsync;
    if (!options.windowed && !options.sized) gOutputRequest.width = gOutputRequest.height = 0;
}

}  // namespace

int main(int argc, char** argv) {
    kaPlayerOptions options;
    const std::string wrong = options.Parse(argc - 1, argv + 1);
    if (!wrong.empty()) {
        std::fprintf(stderr, "vessamorix: %s\n%s\n", wrong.c_str(), kaPlayerOptions::Usage());
        return 2;
    }
    if (options.help) {
        std::printf("%s\n", kaPlayerOptions::Usage());
        return EXIT_SUCCESS;
    }
    RequestOutput(options);
    if (!kaPlatformEnterProgramFolder()) return EXIT_FAILURE;
    return PlayDemo(options) == 1 ? EXIT_SUCCESS : EXIT_FAILURE;
}
