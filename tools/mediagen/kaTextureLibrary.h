#pragma once

#include <string>
#include <vector>

#include "kaPicture.h"

class kaTextPainter;

// Every picture of the media tree, painted from patterns and text: the
// models' colour and normal maps, the sky, the overlays, the loading and
// closing screens, the flare and the two attenuation maps.  The file name's
// extension decides how each is stored.
class kaTextureLibrary {
public:
    using Painter = kaPicture (*)(kaTextPainter& text);

    struct Entry {
        const char* file;
        Painter paint;
    };

    static const std::vector<Entry>& Entries();
    // The font the screens' text is drawn in.
    static const char* FontPath();
};
