#include "kaFrameWriter.h"

#include <algorithm>
#include <cstring>
#include <utility>

kaFrameWriter::kaFrameWriter(Sink sink, size_t frameBytes, unsigned depth)
    : mSink(std::move(sink)), mFrameBytes(frameBytes),
      mRing(std::max(depth, 1u), std::vector<unsigned char>(frameBytes)), mHead(0), mQueued(0),
      mClosing(false), mFailed(false), mThread(&kaFrameWriter::Run, this) {}

kaFrameWriter::~kaFrameWriter() { Close(); }

bool kaFrameWriter::Write(const unsigned char* frame) {
    std::unique_lock<std::mutex> lock(mMutex);
    mChanged.wait(lock, [this] { return mFailed || mQueued < mRing.size(); });
    if (mFailed || mClosing) return false;
    // The buffer past the queued ones is the writing thread's no more.
    std::vector<unsigned char>& slot = mRing[(mHead + mQueued) % mRing.size()];
    lock.unlock();
    std::memcpy(slot.data(), frame, mFrameBytes);
    lock.lock();
    // A write that failed meanwhile ended the writing: the frame is not
    // queued, or the writing thread would take it up again.
    if (mFailed) return false;
    ++mQueued;
    mChanged.notify_all();
    return true;
}

// Takes the oldest queued buffer, writes it outside the lock, then frees it.
void kaFrameWriter::Run() {
    std::unique_lock<std::mutex> lock(mMutex);
    for (;;) {
        mChanged.wait(lock, [this] { return mQueued > 0 || mClosing; });
        if (mQueued == 0) return;
        const std::vector<unsigned char>& slot = mRing[mHead];
        lock.unlock();
        std::string error = mSink(slot.data(), mFrameBytes);
        lock.lock();
        if (!error.empty()) {
            // Nothing is written after a failure: the queued frames are
            // dropped and the thread ends.
            mError = std::move(error);
            mFailed = true;
            mQueued = 0;
            mChanged.notify_all();
            return;
        }
        mHead = (mHead + 1) % mRing.size();
        --mQueued;
        mChanged.notify_all();
    }
}

bool kaFrameWriter::Close() {
    if (!mThread.joinable()) return !mFailed;
    {
        std::lock_guard<std::mutex> lock(mMutex);
        mClosing = true;
    }
    mChanged.notify_all();
    mThread.join();
    return !mFailed;
}
