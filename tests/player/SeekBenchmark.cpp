// Times the player's seeks on the OpenGL device and the media tree, as a
// viewer's keys ask for them: to each time from the demo's start (forwards)
// and from the closing pictures' end (backwards, every freed model loaded
// again).  A seek is the rewind, the fast forward, the frame before the time
// drawn and every clock handed back to real time.  Prints the slowest of
// several runs in wall time and in the process's processor time (all its
// threads, the software renderer's too: what the seek costs on a machine
// that others share); not part of the test suite.
//
//   SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy
//   seek_benchmark dist/Vessamorix/bin [RUNS [T ...]]
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "Globals.h"
#include "Startup.h"
#include "kaPlayback.h"

namespace {

struct Cost {
    double wall = 0, processor = 0;  // milliseconds

    void Worst(const Cost& other) {
        wall = std::max(wall, other.wall);
        processor = std::max(processor, other.processor);
    }
};

Cost Now() {
    timespec processor = {};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &processor);
    const auto wall = std::chrono::steady_clock::now().time_since_epoch();
    return {std::chrono::duration<double, std::milli>(wall).count(),
            processor.tv_sec * 1e3 + processor.tv_nsec / 1e6};
}

// What one seek from `from` to `to` costs.
Cost Seek(kaPlayback& playback, double from, double to) {
    playback.SeekTo(from);
    const Cost start = Now();
    playback.SeekTo(to);
    const Cost end = Now();
    return {end.wall - start.wall, end.processor - start.processor};
}

}  // namespace

int main(int argc, char** argv) {
    char folder[4096];
    if (argc < 2 || realpath(argv[1], folder) == nullptr || chdir(folder) != 0) {
        std::fprintf(stderr, "usage: seek_benchmark PROGRAM_FOLDER [RUNS [T ...]]\n");
        return 2;
    }
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 3;
    std::vector<double> times;
    for (int i = 3; i < argc; ++i) times.push_back(std::atof(argv[i]));
    if (times.empty()) times = {0.5, 10, 20, 30, 40, 50, 60, 70, 80, 90, 100, 110, 116.5, 120, 126};

    const std::string plugin = std::string(folder) + "/kaGLRenderDevice.so";
    gRenderPluginFile = plugin.c_str();
    if (!Startup()) return 1;
    kaPlayback playback(kaPlayback::Clock::RealTime, false);
    const double end = kaPlayback::Length() - 0.1;
    std::printf("milliseconds, the worst of %d runs: wall / processor\n", runs);
    std::printf("%10s %20s %20s\n", "time (s)", "from 0 s", "from the end");
    Cost worst;
    for (double t : times) {
        Cost forwards, backwards;
        for (int r = 0; r < runs; ++r) {
            forwards.Worst(Seek(playback, 0, t));
            backwards.Worst(Seek(playback, end, t));
        }
        worst.Worst(forwards);
        worst.Worst(backwards);
        std::printf("%10.1f %11.0f / %6.0f %11.0f / %6.0f\n", t, forwards.wall, forwards.processor,
                    backwards.wall, backwards.processor);
    }
    std::printf("slowest seek: %.0f ms wall, %.0f ms processor\n", worst.wall, worst.processor);
    playback.Finish();
    FinishShutdown();
    return 0;
}
