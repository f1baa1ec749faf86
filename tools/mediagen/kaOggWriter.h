#pragma once

#include <string>
#include <vector>

// Encodes stereo samples (-1 to 1) as an Ogg Vorbis stream with a fixed
// stream serial number, so the same samples give the same bytes.
class kaOggWriter {
public:
    // Empty when the encoder refuses the settings.
    static std::string Encode(const std::vector<float>& left, const std::vector<float>& right,
                              int sampleRate, float quality, const std::string& title);
};
