#include "kaPlatformFolder.h"

#include <SDL.h>
#include <unistd.h>

#include <cstdio>

bool kaPlatformEnterProgramFolder() {
    char* folder = SDL_GetBasePath();
    const bool entered = folder != nullptr && chdir(folder) == 0;
    if (!entered) std::fprintf(stderr, "vessamorix: cannot enter the program's folder\n");
    SDL_free(folder);
    return entered;
}
