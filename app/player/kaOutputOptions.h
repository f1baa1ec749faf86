#pragma once

#include <string>

#include "kaOutputRequest.h"

// The options of the output's size and multisampling, read alike by the
// players and the capture:
//
//   --size WxH   the back buffer's width and height, 1 to kMaxSide each
//   --msaa N     samples per pixel: 0 (none), 2, 4 or 8
class kaOutputOptions {
public:
    static constexpr unsigned kMaxSide = 8192;

    // Whether option is one of the two.
    static bool Takes(const std::string& option);
    // Reads the value of one of them into request: empty on success, else
    // what is wrong with it, naming the option and the value.
    static std::string Read(const std::string& option, const char* value,
                            kaOutputRequest* request);
    static const char* Usage() { return "[--size WxH] [--msaa 0|2|4|8]"; }

private:
    static std::string ReadSize(const char* value, kaOutputRequest* request);
    static std::string ReadSamples(const char* value, kaOutputRequest* request);
};
