#pragma once

// The player's long-lived objects, created by Startup and released by
// Shutdown; the frame callback and the scenes use them directly.

#include "kaDeviceGlobal.h"

class kaInput;
class kaPluginLoader;
class kaTimer;

extern kaPluginLoader gRenderPlugin;
// The render device's module, loaded by name from the program's folder:
// kaD3DRenderDevice.dll on Windows, kaGLRenderDevice.so elsewhere.
extern const char* gRenderPluginFile;
extern kaInput* gInput;
