#include "kaOutputOptions.h"

#include <cerrno>
#include <cstdlib>

namespace {

// A whole decimal number from 1 to max at text, read up to the first
// character that is not a digit (*end).
bool ReadSide(const char* text, unsigned max, unsigned* value, const char** end) {
    if (*text < '0' || *text > '9') return false;
    char* stop = nullptr;
    errno = 0;
    const unsigned long number = std::strtoul(text, &stop, 10);
    *end = stop;
    if (errno != 0 || number < 1 || number > max) return false;
    *value = static_cast<unsigned>(number);
    return true;
}

}  // namespace

bool kaOutputOptions::Takes(const std::string& option) {
    return option == "--size" || option == "--msaa";
}

std::string kaOutputOptions::Read(const std::string& option, const char* value,
                                  kaOutputRequest* request) {
    return option == "--size" ? ReadSize(value, request) : ReadSamples(value, request);
}

std::string kaOutputOptions::ReadSize(const char* value, kaOutputRequest* request) {
    unsigned width = 0, height = 0;
    const char* rest = value;
    if (!ReadSide(rest, kMaxSide, &width, &rest) || *rest != 'x' ||
        !ReadSide(rest + 1, kMaxSide, &height, &rest) || *rest != '\0') {
        return "--size takes WIDTHxHEIGHT, each from 1 to " + std::to_string(kMaxSide) +
               ", not '" + value + "'";
    }
    request->width = static_cast<int>(width);
    request->height = static_cast<int>(height);
    return "";
}

std::string kaOutputOptions::ReadSamples(const char* value, kaOutputRequest* request) {
    const std::string samples = value;
    if (samples != "0" && samples != "2" && samples != "4" && samples != "8") {
        return "--msaa takes 0, 2, 4 or 8 samples, not '" + samples + "'";
    }
    request->multiSampleType = static_cast<unsigned>(samples[0] - '0');
    return "";
}
