#include "kaPlayerOptions.h"

#include <cmath>
#include <cstdlib>

#include "Schedule.h"
#include "kaOutputOptions.h"

namespace {

// The options that take a value; every other known option is a flag.
bool TakesValue(const std::string& option) {
    return option == "--start" || kaOutputOptions::Takes(option);
}

}  // namespace

const char* kaPlayerOptions::Usage() {
    return "usage: Vessamorix [--start SECONDS] [--windowed] [--size WxH] [--msaa 0|2|4|8]\n"
           "                  [--no-vsync] [--help]\n"
           "  --start SECONDS  begin at that time of the demo\n"
           "  --windowed       play in a window (800x600 unless --size says)\n"
           "  --size WxH       the window's size, or the size rendered at in fullscreen\n"
           "  --msaa N         anti-aliasing with N samples per pixel (0 is none)\n"
           "  --no-vsync       do not wait for the display's refresh\n"
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
    if (ParseSeconds(value, &start) && start >= 0 && start < kDemoEnd) return "";
    return std::string("--start takes seconds from 0 to before the demo's end at 117.7, not '") +
           value + "'";
}

std::string kaPlayerOptions::TakeFlag(const std::string& option) {
    if (option == "--windowed") {
        windowed = true;
    } else if (option == "--no-vsync") {
        vsync = false;
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
