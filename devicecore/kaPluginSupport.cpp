#include "kaPluginSupport.h"

#include <algorithm>
#include <cstring>

#include "kaDeviceNumbers.h"
#include "kaResult.h"

namespace {
constexpr unsigned kSmallestWidth = 512;
constexpr unsigned kSmallestHeight = 384;
constexpr unsigned kMostModes = 255;
}  // namespace

int kaCopyDescription(const char* description, char* text, unsigned maxChars) {
    if (text == nullptr) return KA_ERR_INVALIDARG;
    const size_t length = std::min<size_t>(maxChars, std::strlen(description));
    std::memcpy(text, description, length);
    text[length] = '\0';
    return KA_OK;
}

bool kaListDisplayMode(kaRenderDeviceDesc* desc, const kaDisplayMode& mode) {
    if (desc->modeCount >= kMostModes) return false;
    if (mode.bitsPerPixel != 0 && mode.width >= kSmallestWidth && mode.height >= kSmallestHeight) {
        desc->modes[desc->modeCount++] = mode;
    }
    return desc->modeCount < kMostModes;
}

unsigned kaDisplayFormatBits(unsigned format) {
    switch (format) {
    case KA_FMT_A8R8G8B8:
    case KA_FMT_X8R8G8B8:
        return 32;
    case KA_FMT_R5G6B5:
        return 16;
    default:
        return 0;
    }
}

int kaStoreVersion(int* version) {
    if (version == nullptr) return KA_ERR_INVALIDARG;
    *version = 1;
    return KA_OK;
}
