// mediagen: writes the demo's whole media tree.
//
//   mediagen [--shaders DIR] OUTPUT-DIR
//
// OUTPUT-DIR receives xImages, xModels, xAnimations, xCinematics, xShaders
// and xMusics.  The shader sources are copied from DIR (by default the
// source tree's media/xShaders).  Everything else is generated; the same
// program always writes the same bytes.
#include <chrono>
#include <cstdio>
#include <cstring>

#include "kaMediaGenerator.h"

int main(int argc, char** argv) {
    const char* shaders = VX_SHADER_SOURCE_DIR;
    const char* output = nullptr;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--shaders") == 0 && i + 1 < argc) {
            shaders = argv[++i];
        } else if (output == nullptr && argv[i][0] != '-') {
            output = argv[i];
        } else {
            output = nullptr;
            break;
        }
    }
    if (output == nullptr) {
        std::fprintf(stderr, "usage: mediagen [--shaders DIR] OUTPUT-DIR\n");
        return 2;
    }
    const auto start = std::chrono::steady_clock::now();
    kaMediaGenerator generator(output, shaders);
    if (!generator.Run()) {
        std::fprintf(stderr, "mediagen: %s\n", generator.error().c_str());
        return 1;
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("mediagen: %d files, %llu bytes (%.2f MB) in %s, %.2f s\n", generator.fileCount(),
                static_cast<unsigned long long>(generator.byteCount()), double(generator.byteCount()) / 1048576.0,
                output, seconds);
    return 0;
}
