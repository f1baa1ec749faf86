#pragma once

#include <functional>
#include <string>

// Encodes a signal as an Ogg Vorbis stream.  The same samples, settings and
// serial number give the same bytes.
class kaOggWriter {
public:
    // Sample of a channel at a frame, -1 to 1.
    using Signal = std::function<float(int channel, long frame)>;

    // Empty when the encoder refuses the settings.  The serial number tells
    // the logical streams of a chained file apart.
    static std::string Encode(int channels, int sampleRate, long frames, const Signal& signal,
                              float quality, int serial, const std::string& title = "");
};
