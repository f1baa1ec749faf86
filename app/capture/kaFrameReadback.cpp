#include "kaFrameReadback.h"

#include "kaFrameRecorder.h"
#include "kaPluginLoader.h"
#include "kaResult.h"

kaFrameReadback::kaFrameReadback(kaPluginLoader& plugin, kaRenderDevice* device, unsigned width,
                                 unsigned height, kaFrameRecorder& recorder)
    : mPlugin(plugin), mDevice(device), mWidth(width), mHeight(height), mRecorder(recorder),
      mPixels(size_t(width) * height * 4), mWithoutWaiting(true) {}

bool kaFrameReadback::Presented(int64_t frame) {
    if (mWithoutWaiting) {
        if (mInFlight.size() >= kLag && !RecordOldest()) return false;
        const int begun = mPlugin.BeginReadPresentedFrame(mDevice);
        if (begun == KA_OK) {
            mInFlight.push_back(frame);
            return true;
        }
        if (begun != KA_ERR_UNSUPPORTED) return Recorded(frame, begun);
        mWithoutWaiting = false;
        if (!Finish()) return false;
    }
    return Recorded(frame, mPlugin.ReadPresentedFrame(mDevice, mPixels.data(), mWidth, mHeight));
}

bool kaFrameReadback::Finish() {
    while (!mInFlight.empty()) {
        if (!RecordOldest()) return false;
    }
    return true;
}

bool kaFrameReadback::RecordOldest() {
    const int64_t frame = mInFlight.front();
    mInFlight.pop_front();
    return Recorded(frame, mPlugin.EndReadPresentedFrame(mDevice, mPixels.data(), mWidth, mHeight));
}

// Hands a frame read with the answer `read` to the recorder.
bool kaFrameReadback::Recorded(int64_t frame, int read) {
    if (read == KA_ERR_UNSUPPORTED) {
        mError = "the render device cannot read back the frames it shows with these settings "
                 "(Direct3D 8 cannot read a multisampled picture): record without --msaa";
        return false;
    }
    if (read != KA_OK) {
        mError = "the render device cannot read back frame " + std::to_string(frame) + " (code " +
                 std::to_string(read) + ")";
        return false;
    }
    if (mRecorder.Record(frame, mPixels.data())) return true;
    mError = mRecorder.getError();
    return false;
}
