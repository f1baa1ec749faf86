#pragma once

#include <condition_variable>
#include <cstddef>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// Writes whole frames to a sink on a thread of its own, so that drawing
// goes on while a frame is written and while the reader at the other end
// (the video encoder on a pipe) takes its time.  Frames wait in a ring of
// buffers: Write copies a frame into a free one and returns at once; it
// waits only when every buffer is still queued.  Frames are written in the
// order they were handed over.  A failed write is reported by the next
// Write or by Close; nothing is written after it.
class kaFrameWriter {
public:
    static constexpr unsigned kDefaultDepth = 8;
    // Writes one frame: empty when it was written, else why not.
    using Sink = std::function<std::string(const unsigned char* frame, size_t bytes)>;

    // Frames of frameBytes bytes to `sink`, `depth` of them (at least 1)
    // queued at most.
    kaFrameWriter(Sink sink, size_t frameBytes, unsigned depth = kDefaultDepth);
    ~kaFrameWriter();  // finishes as Close does, the outcome unread
    kaFrameWriter(const kaFrameWriter&) = delete;
    kaFrameWriter& operator=(const kaFrameWriter&) = delete;

    // Queues one frame of frameBytes bytes: false once writing has failed.
    bool Write(const unsigned char* frame);
    // Writes every queued frame and ends the thread: false when a write
    // failed (getError()).
    bool Close();

    const std::string& getError() const { return mError; }

private:
    void Run();

    Sink mSink;
    size_t mFrameBytes;
    std::vector<std::vector<unsigned char>> mRing;
    size_t mHead;    // the next buffer to write
    size_t mQueued;  // buffers filled and not yet written
    bool mClosing;
    std::string mError;  // set with mFailed, under the lock
    bool mFailed;
    std::mutex mMutex;
    std::condition_variable mChanged;
    std::thread mThread;
};
