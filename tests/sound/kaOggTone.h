#pragma once

#include <functional>
#include <string>

// Ogg Vorbis files made at test time: frames of a signal given sample by
// sample (channel, frame) -> -1..1, encoded at a high quality.  The serial
// number tells the logical streams of a chained file apart.
std::string EncodeOgg(int channels, int rate, int frames,
                      const std::function<float(int channel, int frame)>& signal, int serial = 1);

// A sine of the frequency at half scale, the same on every channel.
float Sine(double frequency, int rate, int frame);
