#include "kaOutputOptions.h"

#include "kaPlayerOptions.h"

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
    if (!kaPlayerOptions::ParseWhole(rest, kMinSide, kMaxSide, &width, &rest) || *rest != 'x' ||
        !kaPlayerOptions::ParseWhole(rest + 1, kMinSide, kMaxSide, &height, &rest) || *rest != '\0') {
        return "--size takes WIDTHxHEIGHT, each from " + std::to_string(kMinSide) + " to " +
               std::to_string(kMaxSide) + ", not '" + value + "'";
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
