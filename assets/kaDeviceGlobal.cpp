#include "kaDeviceGlobal.h"

kaRenderDevice* gDevice = nullptr;
