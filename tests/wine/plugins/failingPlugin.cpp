// A plug-in with all seven entry points whose load step fails, as it would
// without Direct3D.
#include "kaPluginApi.h"

#define EXPORT extern "C" __declspec(dllexport)

EXPORT int doLoad() { return 11; }
EXPORT int doUnload() { return 3; }
EXPORT int getDescription(char* text, unsigned) { return text ? 0 : 2; }
EXPORT int getVersion(int* version) { return version ? 0 : 2; }
EXPORT int getRenderDeviceCount(unsigned* count) { return count ? 0 : 2; }
EXPORT int getRenderDeviceDesc(kaRenderDeviceDesc* desc, unsigned) { return desc ? 0 : 2; }
EXPORT int getRenderDevice(kaRenderDevice** device, unsigned) { return device ? 4 : 2; }
