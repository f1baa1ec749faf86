#pragma once

#include <chrono>

// The best of several timings of a piece of work, in seconds: the figure the
// benchmarks print, least disturbed by whatever else the machine does.
template <typename Work>
double kaBestTime(int runs, Work work) {
    double best = 1e30;
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        work();
        const double elapsed =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        if (elapsed < best) best = elapsed;
    }
    return best;
}
