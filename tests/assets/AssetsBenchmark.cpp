// Times the two heavy load steps: a 50,000-triangle model (read, tangent
// frames, vertex buffer) and the mip chain of a 1024 x 1024 RGBA picture.
// Prints the best of several runs; not part of the test suite.
#include <chrono>
#include <cstdio>
#include <string>

#include "kaDeviceGlobal.h"
#include "kaImage.h"
#include "kaMediaTree.h"
#include "kaMeshModel.h"
#include "kaRecordingDevice.h"
#include "kaTestModels.h"
#include "kaTestPictures.h"

namespace {

using Clock = std::chrono::steady_clock;

template <typename Step>
double BestMilliseconds(int runs, Step step) {
    double best = 1e30;
    for (int r = 0; r < runs; ++r) {
        const Clock::time_point start = Clock::now();
        step();
        const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
        if (ms < best) best = ms;
    }
    return best;
}

// A grid of 125 x 200 quads, two triangles each: 50,000 triangles.
kaTestModels::Mesh Grid() {
    const int columns = 125, rows = 200;
    kaTestModels::Mesh mesh;
    mesh.material = -1;
    for (int y = 0; y <= rows; ++y) {
        for (int x = 0; x <= columns; ++x) {
            kaTestModels::Vertex v;
            v.position[0] = float(x);
            v.position[1] = float(y);
            v.position[2] = float((x * y) % 7);
            mesh.vertices.push_back(v);
            mesh.coords.push_back(float(x) / columns);
            mesh.coords.push_back(float(y) / rows);
        }
    }
    for (int y = 0; y < rows; ++y) {
        for (int x = 0; x < columns; ++x) {
            const unsigned a = y * (columns + 1) + x, b = a + 1, c = a + columns + 1, d = c + 1;
            for (unsigned i : {a, b, c, a, b, c, b, d, c, b, d, c}) mesh.faces.push_back(i);
        }
    }
    return mesh;
}

}  // namespace

int main() {
    kaMediaTree media;
    kaRecordingDevice device;
    gDevice = &device;

    media.put("xModels/grid.tdm", kaTestModels::Tdm({}, {Grid()}, {}));
    const double model = BestMilliseconds(5, [] {
        kaMeshModel m;
        m.Load("grid.tdm");
    });
    std::printf("50,000-triangle model load: %.1f ms\n", model);

    std::string pixels(1024 * 1024 * 4, '\0');
    for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = static_cast<char>(i * 7 + (i >> 12));
    media.put("xImages/big.tga", kaTestPictures::Tga(2, 1024, 1024, 32, 0x20, pixels));
    kaImage image;
    double mipmaps = 1e30;
    for (int r = 0; r < 10; ++r) {
        image.Load("../xMedia/xImages/big.tga");
        const double ms = BestMilliseconds(1, [&] { image.GenerateMipmaps(); });
        if (ms < mipmaps) mipmaps = ms;
    }
    std::printf("1024 x 1024 RGBA mip chain (%u levels): %.1f ms\n", image.getLevelCount(), mipmaps);
    gDevice = nullptr;
    return 0;
}
