#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Still frames for the page: asked for with the program's arguments
//
//   --stills T[,T...] [--fps N]
//
// the program plays on the frame clock (N frames a second, 60 by default)
// and hands the frames that show the demo times T (the first frame at or
// after each; the closing pictures follow the demo on the same clock) to the
// page as they are drawn; after the last one it stops, leaving it on show.
class kaStillFrames {
public:
    // Empty when the arguments are right (or absent), else what is wrong.
    std::string Parse(int argc, const char* const* argv);

    bool isWanted() const { return !mFrames.empty(); }
    unsigned getFps() const { return mFps; }
    bool isDone() const { return mNext >= mFrames.size(); }
    // The frame of the next still; only while not done.
    int64_t getNextFrame() const { return mFrames[mNext]; }

    // The frame clock's frame was just presented: hands it to the page when
    // it is one of the stills, then moves the clock on by one frame.  True
    // when it was handed over.
    bool OnPresented();

private:
    std::string ParseTimes(const std::string& list);

    unsigned mFps = 60;
    std::vector<double> mTimes;
    std::vector<int64_t> mFrames;  // in the order asked, never decreasing
    size_t mNext = 0;
};
