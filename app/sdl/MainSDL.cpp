// The native player's entry.  It runs from its own folder, wherever it was
// started from (see kaPlatformFolder.h).  The exit status follows the Unix
// custom: 0 after the demo ran, 1 when start-up failed.
#include <cstdlib>

#include "Startup.h"
#include "kaPlatformFolder.h"

int main(int, char**) {
    if (!kaPlatformEnterProgramFolder()) return EXIT_FAILURE;
    return PlayDemo() == 1 ? EXIT_SUCCESS : EXIT_FAILURE;
}
