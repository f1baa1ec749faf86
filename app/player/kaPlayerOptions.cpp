#include "kaPlayerOptions.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>

#include "Schedule.h"
#include "kaOutputOptions.h"

namespace {

// The options that take a value; every other known option is a flag.
bool TakesValue(const std::string& option) {
    return option == "--start" || option == "--max-fps" || kaOutputOptions::Takes(option);
}

}  // namespace

const char* kaPlayerOptions::Usage() {
    return "usage: Vessamorix [--start SECONDS] [--windowed] [--size WxH] [--msaa 0|2|4|8]\n"
           "                  [--no-vsync] [--max-fps N] [--loop] [--help]\n"
           "  --start SECONDS  begin at that time of the demo\n"
           "  --windowed       play in a window (800x600 unless --size says)\n"
           "  --size WxH       the window's size, or the size rendered at in fullscreen\n"
           "  --msaa N         anti-aliasing with N samples per pixel (0 is none)\n"
           "  --no-vsync       do not wait for the display's refresh\n"
           "  --max-fps N      draw at most N frames a second (1 to 1000)\n"
           "  --loop           start again after the closing pictures, until Escape\n"
           "  --help           show this text";
}

std::string kaPlayerOptions::Parse(int argc, const char* const* argv) {
    for (int i = 0; i < argc; ++i) {
        const std::string option = argv[i];
        const char* value = nullptr;
        if (TakesValue(option)) {
            if (i + 1 >= argc) return option + " needs a value";
            value = argv[++i];
        }
        const std::string wrong = Take(option, value);
        if (!wrong.empty()) return wrong;
    }
    return "";
}

std::string kaPlayerOptions::Take(const std::string& option, const char* value) {
    if (value == nullptr) return TakeFlag(option);
    if (kaOutputOptions::Takes(option)) {
        sized = sized || option == "--size";
        return kaOutputOptions::Read(option, value, &output);
    }
    if (option == "--max-fps") return ReadMaxFps(value, &maxFps);
    if (ParseSeconds(value, &start) && start >= 0 && start < kDemoEnd) return "";
    return std::string("--start takes seconds from 0 to before the demo's end at 117.7, not '") +
           value + "'";
}

std::string kaPlayerOptions::TakeFlag(const std::string& option) {
    if (option == "--windowed") {
        windowed = true;
    } else if (option == "--no-vsync") {
        vsync = false;
    } else if (option == "--loop") {
        loop = true;
    } else if (option == "--help") {
        help = true;
    } else {
        return "unknown argument '" + option + "'";
    }
    return "";
}

bool kaPlayerOptions::ParseSeconds(const char* text, double* value) {
    char* end = nullptr;
    *value = std::strtod(text, &end);
    return end != text && *end == '\0' && std::isfinite(*value);
}

bool kaPlayerOptions::ParseWhole(const char* text, unsigned min, unsigned max, unsigned* value,
                                 const char** end) {
    if (*text < '0' || *text > '9') return false;
    char* stop = nullptr;
    errno = 0;
    const unsigned long number = std::strtoul(text, &stop, 10);
    *end = stop;
    if (errno != 0 || number < min || number > max) return false;
    *value = static_cast<unsigned>(number);
    return true;
}

std::string kaPlayerOptions::ReadMaxFps(const char* text, unsigned* fps) {
    const char* end = text;
    unsigned value = 0;
    if (ParseWhole(text, 1, 1000, &value, &end) && *end == '\0') {
        *fps = value;
        return "";
    }
    return std::string("--max-fps takes whole frames a second from 1 to 1000, not '") + text + "'";
}
