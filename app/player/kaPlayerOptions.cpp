#include "kaPlayerOptions.h"

#include <cmath>
#include <cstdlib>

#include "Schedule.h"

const char* kaPlayerOptions::Usage() { return "usage: Vessamorix [--start SECONDS] [--loop]"; }

std::string kaPlayerOptions::Parse(int argc, const char* const* argv) {
    for (int i = 0; i < argc; ++i) {
        const std::string option = argv[i];
        if (option == "--loop") {
            loop = true;
            continue;
        }
        if (option != "--start") return "unknown argument '" + option + "'";
        if (i + 1 >= argc) return option + " needs a value";
        const char* value = argv[++i];
        if (!ParseSeconds(value, &start) || start < 0 || start >= kDemoEnd) {
            return std::string("--start takes seconds from 0 to before the demo's end at 117.7, "
                               "not '") + value + "'";
        }
    }
    return "";
}

bool kaPlayerOptions::ParseSeconds(const char* text, double* value) {
    char* end = nullptr;
    *value = std::strtod(text, &end);
    return end != text && *end == '\0' && std::isfinite(*value);
}
