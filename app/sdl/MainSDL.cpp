// The native player's entry.  It runs from its own folder, wherever it was
// started from, so that the media tree at "../xMedia/" and the log beside the
// program are found as when Windows starts a program from its icon.  The exit
// status follows the Unix custom: 0 after the demo ran, 1 when start-up
// failed.
#include <SDL.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "Startup.h"

namespace {

bool EnterProgramFolder() {
    char* folder = SDL_GetBasePath();
    const bool entered = folder != nullptr && chdir(folder) == 0;
    if (!entered) std::fprintf(stderr, "vessamorix: cannot enter the program's folder\n");
    SDL_free(folder);
    return entered;
}

}  // namespace

int main(int, char**) {
    if (!EnterProgramFolder()) return EXIT_FAILURE;
    return PlayDemo() == 1 ? EXIT_SUCCESS : EXIT_FAILURE;
}
