#include "kaOutputRequest.h"

#include <cmath>

#include "kaPlayerOptions.h"

kaOutputRequest kaOutputRequest::ForWindowsPlayer(const kaPlayerOptions& options) {
    kaOutputRequest request;
    const bool sized = options.width > 0 && options.height > 0;
    if (!options.windowed && !sized && options.msaa == 0 && options.vsync) return request;
    request.multiSampleType = options.msaa;
    request.vsync = options.vsync ? 1 : 0;
    if (options.windowed) {
        request.windowMode = kaWindowFramed;
        if (sized) {
            request.width = options.width;
            request.height = options.height;
        }
    } else {
        request.windowMode = kaWindowDesktop;
        if (sized) {
            request.renderWidth = options.width;
            request.renderHeight = options.height;
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
