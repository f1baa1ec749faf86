#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "kaRecordingDevice.h"

// The recording render device as a plug-in module (kaRecordingRenderDevice):
// the seven entry points of a render-device module over kaRecordingDevice,
// the optional resize of the back buffer, and getRecordingPlugin, through which a test that loads the
// module itself steers it and reads what it saw.  The module keeps every
// device it hands out (their Release does not destroy them) until Reset or
// until the module is unloaded for good.
struct kaRecordingPlugin {
    // ---- Steering, set before the player loads the module ----
    int loadResult = 0;    // doLoad's answer
    int deviceResult = 0;  // getRenderDevice's answer; not 0: no device is handed out
    int resizeResult = 0;  // resizeBackBuffer's answer
    // Failures every new device is given (kaRecordingDevice::failNext).
    std::vector<std::pair<std::string, int>> deviceFailures;

    // ---- What it saw ----
    // The module's entry points as they were called: "doLoad",
    // "getRenderDevice", "resizeBackBuffer WxH", "doUnload".
    std::vector<std::string> events;
    std::vector<std::unique_ptr<kaRecordingDevice>> devices;
    // Counted at each doUnload: devices not yet released, and their
    // resources still alive.
    size_t devicesLiveAtUnload = 0;
    size_t resourcesLiveAtUnload = 0;

    void Reset() { *this = kaRecordingPlugin(); }
};

extern "C" {
typedef kaRecordingPlugin* (*kaGetRecordingPluginFn)();
}
