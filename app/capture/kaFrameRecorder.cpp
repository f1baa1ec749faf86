#include "kaFrameRecorder.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

#if defined(_WIN32)
#include <fcntl.h>
#include <io.h>
#endif

namespace {

constexpr double kProgressInterval = 0.5;  // seconds between progress lines

// Standard output carrying bytes unchanged (no line-end translation).
std::FILE* BinaryStandardOutput() {
#if defined(_WIN32)
    _setmode(_fileno(stdout), _O_BINARY);
#endif
    return stdout;
}

std::string Describe(int error) { return error != 0 ? std::strerror(error) : "short write"; }

}  // namespace

kaFrameRecorder::kaFrameRecorder(const kaCaptureOptions& options, unsigned width,
                                 unsigned height, const kaCounterSource& wallClock)
    : mOptions(options), mWidth(width), mHeight(height), mWallClock(wallClock),
      mFirst(std::llround(options.start * options.fps)),
      mEnd(std::numeric_limits<int64_t>::max()), mWindowFirst(0), mWindowEnd(0), mStillCount(0),
      mOpen(false), mOutput(nullptr), mWritten(0), mPresented(0), mExpected(0), mWallStart(0), mLastShown(-kProgressInterval) {
    if (options.frames.empty()) {
        mEnd = mFirst;  // nothing to write
    } else if (options.duration >= 0) {
        mEnd = mFirst + std::max<int64_t>(1, std::llround(options.duration * options.fps));
    }
    mWindowFirst = mFirst;
    mWindowEnd = mEnd;
}

kaFrameRecorder::~kaFrameRecorder() {
    mWriter.reset();
    if (mOutput != nullptr && mOutput != stdout) std::fclose(mOutput);
}

bool kaFrameRecorder::Fail(const std::string& what) {
    mError = what;
    return false;
}

bool kaFrameRecorder::Open() {
    mWallStart = mWallClock.now();
    if (mOptions.frames == "-") {
        mOutput = BinaryStandardOutput();
    } else if (!mOptions.frames.empty()) {
        mOutput = std::fopen(mOptions.frames.c_str(), "wb");
        if (mOutput == nullptr) {
            return Fail("cannot write frames to " + mOptions.frames + ": " + Describe(errno));
        }
    }
    if (mOutput != nullptr) {
        std::FILE* output = mOutput;
        const auto write = [output](const unsigned char* frame, size_t bytes) {
            errno = 0;
            return std::fwrite(frame, 1, bytes, output) == bytes ? std::string() : Describe(errno);
        };
        mWriter = std::make_unique<kaFrameWriter>(write, size_t(mWidth) * mHeight * 4);
    }
    if (!mOptions.stills.empty()) {
        // The index is written last; writing it now proves the folder usable.
        std::FILE* index = std::fopen((mOptions.stills + "/index.txt").c_str(), "wb");
        if (index == nullptr) {
            return Fail("cannot write pictures into " + mOptions.stills + ": " + Describe(errno));
        }
        std::fclose(index);
    }
    mOpen = true;
    return true;
}

void kaFrameRecorder::AddStill(int64_t frame, const std::string& label) {
    if (!mOptions.stills.empty() && frame >= 0) mStills[frame] = label;
}

// Part K of N of the window: the N parts split it at whole frames, the last
// keeping the window's own end (the film's when it runs to the end, however
// long the closing pictures turn out).
void kaFrameRecorder::setExpectedFrames(int64_t frames) {
    mExpected = frames;
    if (!isPart() || mWindowEnd == mWindowFirst) return;
    const int64_t end = std::min(mWindowEnd, std::max(frames, mWindowFirst + 1));
    const int64_t span = end - mWindowFirst;
    mFirst = mWindowFirst + span * (mOptions.part - 1) / mOptions.parts;
    mEnd = mOptions.part < mOptions.parts ? mWindowFirst + span * mOptions.part / mOptions.parts
                                          : mWindowEnd;
}

bool kaFrameRecorder::Wants(int64_t frame) const {
    return (frame >= mFirst && frame < mEnd) || (!isPart() && mStills.count(frame) != 0);
}

int64_t kaFrameRecorder::getFirstWanted() const {
    if (isPart() || mStills.empty()) return mFirst;
    return std::min(mFirst, mStills.begin()->first);
}

// The closing pictures' stills are added only once the demo has ended, so a
// run that keeps pictures goes on to its end, unless it is a part.
bool kaFrameRecorder::isDone(int64_t frame) const {
    return (mOptions.stills.empty() || isPart()) && frame >= mEnd;
}

bool kaFrameRecorder::Record(int64_t frame, const unsigned char* pixels) {
    if (frame >= mFirst && frame < mEnd) {
        if (!mWriter->Write(pixels)) {
            return Fail("writing the frames failed (by frame " + std::to_string(frame) +
                        "): " + mWriter->getError());
        }
        ++mWritten;
    }
    const auto still = mStills.find(frame);
    if (still != mStills.end()) {
        char name[32];
        std::snprintf(name, sizeof name, "%02u.ppm", ++mStillCount);
        if (!WriteStill(name, pixels)) {
            return Fail("cannot write the picture " + mOptions.stills + "/" + name);
        }
        mIndex += std::string(name) + "\t" + still->second + "\n";
        mStills.erase(still);
    }
    mPresented = std::max(mPresented, frame + 1);
    ShowProgress(mPresented, false);
    return true;
}

// A binary PPM: the colour channels of every pixel, red first.
bool kaFrameRecorder::WriteStill(const std::string& name, const unsigned char* pixels) const {
    std::FILE* file = std::fopen((mOptions.stills + "/" + name).c_str(), "wb");
    if (file == nullptr) return false;
    std::fprintf(file, "P6\n%u %u\n255\n", mWidth, mHeight);
    std::vector<unsigned char> row(size_t(mWidth) * 3);
    bool written = true;
    for (unsigned y = 0; y < mHeight && written; ++y) {
        const unsigned char* from = pixels + size_t(y) * mWidth * 4;
        for (unsigned x = 0; x < mWidth; ++x) {
            row[x * 3] = from[x * 4 + 2];
            row[x * 3 + 1] = from[x * 4 + 1];
            row[x * 3 + 2] = from[x * 4];
        }
        written = std::fwrite(row.data(), 1, row.size(), file) == row.size();
    }
    return std::fclose(file) == 0 && written;
}

bool kaFrameRecorder::Close() {
    if (!mOpen) return Fail("the frame output was never opened");
    mOpen = false;
    if (mOutput != nullptr) {
        const bool written = mWriter->Close();
        const std::string writeError = mWriter->getError();
        mWriter.reset();
        const bool flushed = std::fflush(mOutput) == 0;
        const bool closed = std::fclose(mOutput) == 0;
        mOutput = nullptr;
        if (!written) return Fail("writing the frames failed: " + writeError);
        if (!flushed || !closed) return Fail("finishing the frame output failed: " + Describe(errno));
    }
    if (!mOptions.stills.empty()) {
        std::FILE* index = std::fopen((mOptions.stills + "/index.txt").c_str(), "wb");
        const bool written = index != nullptr &&
                             std::fwrite(mIndex.data(), 1, mIndex.size(), index) == mIndex.size();
        if (index == nullptr || std::fclose(index) != 0 || !written) {
            return Fail("cannot write the index of pictures in " + mOptions.stills);
        }
    }
    ShowProgress(mPresented, true);
    return true;
}

double kaFrameRecorder::WallSeconds() const {
    return double(mWallClock.now() - mWallStart) / double(mWallClock.frequency());
}

// "frame DONE/TOTAL  FPS fps  M:SS left", rewritten in place at most twice a
// second, and a closing line with the totals.
void kaFrameRecorder::ShowProgress(int64_t frame, bool last) {
    if (!mOptions.progress) return;
    const double seconds = WallSeconds();
    if (!last && seconds - mLastShown < kProgressInterval) return;
    mLastShown = seconds;
    const double rate = seconds > 0 ? frame / seconds : 0;
    if (last && mOptions.frames.empty()) {
        std::fprintf(stderr, "\rkept %u pictures of %lld frames in %.1f s: %.1f frames a second\n",
                     mStillCount, static_cast<long long>(frame), seconds, rate);
        return;
    }
    if (last) {
        std::fprintf(stderr, "\rrecorded %lld frames (%.2f s of video at %u fps) in %.1f s: %.1f frames a second\n",
                     static_cast<long long>(mWritten), double(mWritten) / mOptions.fps,
                     mOptions.fps, seconds, rate);
        return;
    }
    // An excerpt ends with its window; a run that keeps pictures goes on to
    // the closing pictures.
    const int64_t end =
        mOptions.stills.empty() || isPart() ? std::min(mExpected, mEnd) : mExpected;
    const int64_t total = std::max(end, frame);
    const long left = rate > 0 ? std::lround((total - frame) / rate) : 0;
    std::fprintf(stderr, "\rframe %lld/%lld  %5.1f fps  %ld:%02ld left ",
                 static_cast<long long>(frame), static_cast<long long>(total), rate, left / 60,
                 left % 60);
    std::fflush(stderr);
}
