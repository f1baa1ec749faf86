#include "kaCaptureOptions.h"
#include "kaOutputOptions.h"
#include "kaPlayerOptions.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace {

// A whole decimal number, nothing else.
bool ParseCount(const char* text, unsigned long* value) {
    if (*text < '0' || *text > '9') return false;
    char* end = nullptr;
    errno = 0;
    *value = std::strtoul(text, &end, 10);
    return errno == 0 && *end == '\0';
}

// "K/N" with 1 <= K <= N <= max.
bool ParsePart(const char* text, unsigned max, unsigned* part, unsigned* parts) {
    const char* slash = std::strchr(text, '/');
    if (slash == nullptr) return false;
    unsigned long k = 0, n = 0;
    const std::string first(text, slash);
    if (!ParseCount(first.c_str(), &k) || !ParseCount(slash + 1, &n)) return false;
    if (k < 1 || k > n || n > max) return false;
    *part = static_cast<unsigned>(k);
    *parts = static_cast<unsigned>(n);
    return true;
}

}  // namespace

const char* kaCaptureOptions::Usage() {
    return "usage: VessamorixCapture --frames PATH|- [--fps N] [--start SECONDS] "
           "[--duration SECONDS] [--part K/N] [--stills DIR] [--size WxH] [--msaa 0|2|4|8] "
           "[--quiet]";
}

std::string kaCaptureOptions::Parse(int argc, const char* const* argv) {
    for (int i = 0; i < argc; ++i) {
        const std::string option = argv[i];
        if (option == "--quiet") {
            progress = false;
            continue;
        }
        if (option != "--frames" && option != "--fps" && option != "--start" &&
            option != "--duration" && option != "--part" && option != "--stills" &&
            !kaOutputOptions::Takes(option)) {
            return "unknown argument '" + option + "'";
        }
        if (i + 1 >= argc) return option + " needs a value";
        const char* value = argv[++i];
        unsigned long count = 0;
        if (kaOutputOptions::Takes(option)) {
            const std::string wrong = kaOutputOptions::Read(option, value, &output);
            if (!wrong.empty()) return wrong;
        } else if (option == "--frames") {
            frames = value;
        } else if (option == "--stills") {
            stills = value;
        } else if (option == "--fps") {
            if (!ParseCount(value, &count) || count < 1 || count > kMaxFps) {
                return "--fps takes a whole number from 1 to " + std::to_string(kMaxFps) +
                       ", not '" + value + "'";
            }
            fps = static_cast<unsigned>(count);
        } else if (option == "--part") {
            if (!ParsePart(value, kMaxParts, &part, &parts)) {
                return "--part takes K/N, part K of N from 1 to N, N at most " +
                       std::to_string(kMaxParts) + ", not '" + value + "'";
            }
        } else if (option == "--start") {
            if (!kaPlayerOptions::ParseSeconds(value, &start) || start < 0) {
                return std::string("--start takes seconds from 0 on, not '") + value + "'";
            }
        } else if (!kaPlayerOptions::ParseSeconds(value, &duration) || duration <= 0) {
            return std::string("--duration takes a number of seconds above 0, not '") + value + "'";
        }
    }
    if (frames.empty() && stills.empty()) {
        return "--frames is missing (a file, or - for standard output)";
    }
    return "";
}
