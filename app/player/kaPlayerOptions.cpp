#include "kaPlayerOptions.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

#include "Schedule.h"

namespace {

// The options that take a value; every other known option is a flag.
bool TakesValue(const std::string& option) {
    return option == "--start" || option == "--size" || option == "--msaa";
}

// A whole text as a whole number from 0 to max, digits only.
bool ParseWhole(const char* text, long max, long* value) {
    if (*text < '0' || *text > '9') return false;
    char* end = nullptr;
    *value = std::strtol(text, &end, 10);
    return *end == '\0' && *value <= max;
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
    long samples = 0;
    if (option == "--start") {
        if (ParseSeconds(value, &start) && start >= 0 && start < kDemoEnd) return "";
        return std::string("--start takes seconds from 0 to before the demo's end at 117.7, not '") +
               value + "'";
    }
    if (option == "--size") {
        if (ParseSize(value, &width, &height)) return "";
        return std::string("--size takes WxH, each side a whole number from 16 to 16384, not '") +
               value + "'";
    }
    if (ParseWhole(value, 8, &samples) &&
        (samples == 0 || samples == 2 || samples == 4 || samples == 8)) {
        msaa = static_cast<unsigned>(samples);
        return "";
    }
    return std::string("--msaa takes 0, 2, 4 or 8 samples, not '") + value + "'";
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

bool kaPlayerOptions::ParseSize(const char* text, int* width, int* height) {
    const char* x = std::strchr(text, 'x');
    if (x == nullptr) return false;
    const std::string w(text, x);
    long sides[2] = {0, 0};
    if (!ParseWhole(w.c_str(), kMaxSide, &sides[0]) || !ParseWhole(x + 1, kMaxSide, &sides[1]) ||
        sides[0] < kMinSide || sides[1] < kMinSide) {
        return false;
    }
    *width = static_cast<int>(sides[0]);
    *height = static_cast<int>(sides[1]);
    return true;
}
