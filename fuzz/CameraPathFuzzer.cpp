// Camera paths: the text parsed as the path reader parses a file, then the
// spline followed at parameters inside, between and far outside its points.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>

#include "kaCamera.h"
#include "kaFuzzExpect.h"
#include "kaRecordingMessageBoxes.h"
#include "kaResult.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    kaRecordingMessageBoxes boxes;
    kaCamera camera;
    const std::string text(reinterpret_cast<const char*>(data), size);
    if (camera.LoadPathText(text, "fuzz.spl") != KA_OK) {
        FuzzExpect(boxes.boxes().size() == 1 && camera.path.count == 0,
                   "a refused path is reported once and leaves no path");
        return 0;
    }
    FuzzExpect(boxes.boxes().empty(), "a path that loads shows no box");
    const kaCameraPath& path = camera.path;
    FuzzExpect(path.count >= 2 && path.points.size() == size_t(path.count) * 3 &&
                   path.tangents.size() == path.points.size(),
               "a path holds its points, the closing copy and a tangent each");
    const float n = static_cast<float>(path.count);
    for (const float t : {0.0f, 0.5f, n - 1.5f, n, -1.5f, 1e9f, -1e30f, INFINITY, NAN})
        camera.Follow(t, {1, 2, 3});
    return 0;
}
