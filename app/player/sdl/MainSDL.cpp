// The native player's entry.  It runs from its own folder, wherever it was
// started from (see kaPlatformFolder.h).  The exit status follows the Unix
// custom: 0 after the demo ran, 1 when start-up failed, 2 for a wrong
// command line.
#include <cstdio>
#include <cstdlib>

#include "Startup.h"
#include "kaPlatformFolder.h"
#include "kaPlayerOptions.h"

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
    if (!kaPlatformEnterProgramFolder()) return EXIT_FAILURE;
    return PlayDemo(options) == 1 ? EXIT_SUCCESS : EXIT_FAILURE;
}
