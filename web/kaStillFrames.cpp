#include "kaStillFrames.h"

#include <emscripten.h>

#include <cmath>
#include <cstdlib>
#include <cstring>

#include "kaCaptureOptions.h"
#include "kaCaptureSchedule.h"
#include "kaFrameClock.h"

namespace {

// clang-format off
EM_JS(void, vxHandStill, (double seconds), { if (Module["vxStill"]) Module["vxStill"](seconds); });
// clang-format on

// The whole text as a number; false when it is not one.
bool ReadNumber(const std::string& text, double* value) {
    char* end = nullptr;
    *value = std::strtod(text.c_str(), &end);
    return !text.empty() && end == text.c_str() + text.size() && std::isfinite(*value);
}

}  // namespace

std::string kaStillFrames::Parse(int argc, const char* const* argv) {
    std::string times;
    for (int i = 0; i < argc; ++i) {
        const bool hasValue = i + 1 < argc;
        if (std::strcmp(argv[i], "--stills") == 0 && hasValue) {
            times = argv[++i];
        } else if (std::strcmp(argv[i], "--fps") == 0 && hasValue) {
            double fps = 0;
            if (!ReadNumber(argv[++i], &fps) || fps != std::floor(fps) || fps < 1 ||
                fps > kaCaptureOptions::kMaxFps) {
                return "--fps takes a whole number from 1 to " +
                       std::to_string(kaCaptureOptions::kMaxFps) + ", not '" + argv[i] + "'";
            }
            mFps = static_cast<unsigned>(fps);
        } else {
            return std::string("unknown argument '") + argv[i] + "'";
        }
    }
    return times.empty() ? std::string() : ParseTimes(times);
}

// Times in the order of the demo; each becomes the first frame at or after it.
std::string kaStillFrames::ParseTimes(const std::string& list) {
    const int64_t end = kaCaptureSchedule::ExpectedFrames(mFps);
    size_t start = 0;
    while (start <= list.size()) {
        const size_t comma = std::min(list.find(',', start), list.size());
        const std::string item = list.substr(start, comma - start);
        double seconds = 0;
        if (!ReadNumber(item, &seconds) || seconds < 0) {
            return "--stills takes demo times in seconds, 0 or more, not '" + item + "'";
        }
        const int64_t frame = kaFrameClock::FirstFrameAt(seconds, mFps);
        if (frame >= end) {
            return "--stills: " + item + " s lies after the closing pictures, which end at " +
                   std::to_string(end / mFps) + " s";
        }
        if (!mFrames.empty() && frame < mFrames.back()) {
            return "--stills: the times must not go back (" + item + " s)";
        }
        mTimes.push_back(seconds);
        mFrames.push_back(frame);
        start = comma + 1;
    }
    return {};
}

bool kaStillFrames::OnPresented() {
    const int64_t frame = kaFrameClock::getFrame();
    bool handed = false;
    while (!isDone() && mFrames[mNext] == frame) {
        vxHandStill(mTimes[mNext]);
        ++mNext;
        handed = true;
    }
    kaFrameClock::Advance();
    return handed;
}
