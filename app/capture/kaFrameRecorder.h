#pragma once

#include <cstdint>
#include <cstdio>
#include <map>
#include <memory>
#include <string>

#include "kaCaptureOptions.h"
#include "kaFrameWriter.h"
#include "kaTimer.h"

// The output side of the video capture: it is handed every presented frame
// with its number, streams those of the chosen window as raw B, G, R, A
// frames, keeps the contact sheet's pictures (binary PPM files with an
// index of labels) and prints a progress line.  Frames are written on a
// thread of their own (kaFrameWriter), a few frames queued at most, so the
// caller draws on while the encoder reads: memory stays flat however long
// the recording.
class kaFrameRecorder {
public:
    // Frames of width x height pixels; the wall clock times the progress line.
    kaFrameRecorder(const kaCaptureOptions& options, unsigned width, unsigned height,
                    const kaCounterSource& wallClock = kaCounterSource::Platform());
    ~kaFrameRecorder();
    kaFrameRecorder(const kaFrameRecorder&) = delete;
    kaFrameRecorder& operator=(const kaFrameRecorder&) = delete;

    // Opens the frame output and the pictures' folder; false with getError().
    bool Open();

    // A contact-sheet picture of frame `frame`, shown with `label`.
    void AddStill(int64_t frame, const std::string& label);
    // How many frames the whole run will present: for the progress line,
    // and where the last part of a window that runs to the end ends.
    void setExpectedFrames(int64_t frames);

    // Whether frame `frame` is to be handed over (it is written or kept).
    bool Wants(int64_t frame) const;
    // The first frame Wants: those before it need not be drawn.
    int64_t getFirstWanted() const;
    // True once every frame to write lies before `frame` and no picture is
    // to be kept (those of the closing pictures come at the demo's end; a
    // part keeps only the pictures in its own window).
    bool isDone(int64_t frame) const;

    // One presented frame, width x height x 4 bytes: false when writing it
    // failed (see getError()).
    bool Record(int64_t frame, const unsigned char* pixels);
    // Ends the frame stream and writes the pictures' index; false on failure.
    bool Close();

    const std::string& getError() const { return mError; }
    int64_t getWritten() const { return mWritten; }

private:
    bool Fail(const std::string& what);
    bool isPart() const { return mOptions.parts != 0; }
    bool WriteStill(const std::string& name, const unsigned char* pixels) const;
    void ShowProgress(int64_t frame, bool last);
    double WallSeconds() const;

    kaCaptureOptions mOptions;
    unsigned mWidth, mHeight;
    const kaCounterSource& mWallClock;
    int64_t mFirst, mEnd;  // the written window [mFirst, mEnd), of this part
    int64_t mWindowFirst, mWindowEnd;  // the window of all parts
    std::map<int64_t, std::string> mStills;  // frame -> label, still to be kept
    std::string mIndex;  // "FILE<TAB>LABEL" lines of the pictures kept
    unsigned mStillCount;
    bool mOpen;
    std::FILE* mOutput;  // null when only pictures are kept
    std::unique_ptr<kaFrameWriter> mWriter;  // writes to mOutput
    int64_t mWritten;
    int64_t mPresented;  // frames handed over so far, counting from frame 0
    int64_t mExpected;
    int64_t mWallStart;
    double mLastShown;
    std::string mError;
};
