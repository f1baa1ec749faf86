#pragma once

#include <string>

#include "kaClipSpec.h"

// Writes a clip as a TDA file (version 1.2).
class kaTDAWriter {
public:
    // The file's bytes; empty when the clip cannot be stored (no tracks or
    // frames, more than 32767 tracks, a name longer than 255 bytes).
    static std::string Encode(const kaClipSpec& clip);
};
