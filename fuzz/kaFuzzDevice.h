#pragma once

#include "kaRecordingDevice.h"
#include "kaRecordingMessageBoxes.h"

// The stage of one fuzz input whose code loads textures or fills vertex
// buffers: a fresh recording device installed as gDevice, and message boxes
// recorded instead of shown.  When the stage ends, a device that was misused
// or still holds resources ends the run as a crash would, so the fuzzer
// keeps the input.  Objects that own device resources must go first.
class kaFuzzDevice {
public:
    kaFuzzDevice();
    ~kaFuzzDevice();
    kaFuzzDevice(const kaFuzzDevice&) = delete;
    kaFuzzDevice& operator=(const kaFuzzDevice&) = delete;

    kaRecordingDevice& device() { return mDevice; }

private:
    kaRecordingDevice mDevice;
    kaRecordingMessageBoxes mBoxes;
};
