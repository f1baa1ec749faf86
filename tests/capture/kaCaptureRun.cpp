#include "kaCaptureRun.h"

#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <sstream>

namespace fs = std::filesystem;

kaCaptureRun::kaCaptureRun() {
    const fs::path bin = mDir.file("bin");
    fs::create_directories(bin);
    for (const char* file : {VX_CAPTURE_PROGRAM, VX_GL_DEVICE}) {
        fs::copy_file(file, bin / fs::path(file).filename());
    }
    fs::create_directory_symlink(VX_MEDIA_ROOT "/xMedia", mDir.file("xMedia"));
}

std::vector<kaPixelFrame> kaCaptureRun::Frames(unsigned width, unsigned height, unsigned fps,
                                               double start, double duration) {
    std::ostringstream command;
    command << "SDL_VIDEODRIVER=offscreen '" << mDir.file("bin") << "/"
            << fs::path(VX_CAPTURE_PROGRAM).filename().string() << "' --quiet --frames - --size "
            << width << "x" << height << " --fps " << fps << " --start " << start << " --duration "
            << duration;
    mError.clear();
    std::FILE* pipe = popen(command.str().c_str(), "r");
    std::vector<kaPixelFrame> frames;
    if (pipe == nullptr) {
        mError = "cannot start " + command.str();
        return frames;
    }
    for (;;) {
        kaPixelFrame frame(width, height);
        const size_t want = frame.bytes();
        const size_t got = std::fread(frame.data(), 1, want, pipe);
        if (got != want) {
            if (got != 0) mError = "a frame cut short after " + std::to_string(got) + " bytes";
            break;
        }
        frames.push_back(std::move(frame));
    }
    const int status = pclose(pipe);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        mError = command.str() + " ended with status " + std::to_string(status);
    }
    if (!mError.empty()) frames.clear();
    return frames;
}
