#include "kaOutputRequest.h"

#include <cmath>

#include "kaPlayerOptions.h"

kaOutputRequest kaOutputRequest::ForWindowsPlayer(const kaPlayerOptions& options) {
    kaOutputRequest request;
    const unsigned samples = options.output.multiSampleType;
    if (!options.windowed && !options.sized && samples == 0 && options.vsync) return request;
    request.multiSampleType = samples;
    request.vsync = options.vsync;
    request.windowed = options.windowed;
    if (options.windowed) {
        if (options.sized) {
            request.width = options.output.width;
            request.height = options.output.height;
        }
    } else {
        request.width = request.height = 0;
        if (options.sized) {
            request.renderWidth = options.output.width;
            request.renderHeight = options.output.height;
        }
    }
    return request;
}

void kaOutputRequest::BackBufferSize(int clientWidth, int clientHeight, int* width,
                                     int* height) const {
    *width = clientWidth;
    *height = clientHeight;
    if (renderWidth <= 0 || renderHeight <= 0 || clientWidth <= 0 || clientHeight <= 0) return;
    // Compared as products: renderWidth / renderHeight against the client's.
    const long long wide = static_cast<long long>(renderWidth) * clientHeight;
    const long long tall = static_cast<long long>(renderHeight) * clientWidth;
    *width = renderWidth;
    *height = renderHeight;
    if (wide > tall) {
        *height = static_cast<int>(std::lround(static_cast<double>(wide) / clientWidth));
    } else if (tall > wide) {
        *width = static_cast<int>(std::lround(static_cast<double>(tall) / clientHeight));
    }
}
