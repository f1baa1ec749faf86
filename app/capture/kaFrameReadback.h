#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

class kaFrameRecorder;
class kaPluginLoader;
class kaRenderDevice;

// Reads the capture's presented frames back from the render device and
// hands them to the recorder in order.  Where the plug-in reads back without
// waiting, each frame's read is started when it is presented and finished
// kLag frames later, so the device draws on while its frames are copied;
// elsewhere each frame is read at once.
class kaFrameReadback {
public:
    static constexpr size_t kLag = 2;

    kaFrameReadback(kaPluginLoader& plugin, kaRenderDevice* device, unsigned width,
                    unsigned height, kaFrameRecorder& recorder);

    // Frame `frame` has just been presented and the recorder wants it:
    // false when reading or recording failed (getError()).
    bool Presented(int64_t frame);
    // Finishes the reads in flight, before the device goes: false on failure.
    bool Finish();

    const std::string& getError() const { return mError; }

private:
    bool RecordOldest();
    bool Recorded(int64_t frame, int read);

    kaPluginLoader& mPlugin;
    kaRenderDevice* mDevice;
    unsigned mWidth, mHeight;
    kaFrameRecorder& mRecorder;
    std::vector<unsigned char> mPixels;
    std::deque<int64_t> mInFlight;  // frames whose reads were started
    bool mWithoutWaiting;           // until the plug-in says it cannot
    std::string mError;
};
