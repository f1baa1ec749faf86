#include "kaFuzzDevice.h"

#include "kaDeviceGlobal.h"
#include "kaFuzzExpect.h"

kaFuzzDevice::kaFuzzDevice() { gDevice = &mDevice; }

kaFuzzDevice::~kaFuzzDevice() {
    gDevice = nullptr;
    if (mDevice.misuseCount() != 0) FuzzFail("device misused: " + mDevice.misuse().front());
    FuzzExpect(mDevice.liveResourceCount() == 0, "every device resource is released");
}
