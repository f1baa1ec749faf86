// A plug-in with six of the seven entry points: it has no doUnload.
#include "kaPluginApi.h"

#define EXPORT extern "C" __declspec(dllexport)

EXPORT int doLoad() { return 0; }
EXPORT int getDescription(char* text, unsigned) { return text ? 0 : 2; }
EXPORT int getVersion(int* version) { return version ? 0 : 2; }
EXPORT int getRenderDeviceCount(unsigned* count) { return count ? 0 : 2; }
EXPORT int getRenderDeviceDesc(kaRenderDeviceDesc* desc, unsigned) { return desc ? 0 : 2; }
EXPORT int getRenderDevice(kaRenderDevice** device, unsigned) { return device ? 4 : 2; }
