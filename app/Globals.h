#pragma once

// The player's long-lived objects, created by Startup and released by
// Shutdown; the frame callback and the scenes use them directly.

#include "kaDeviceGlobal.h"

class kaInput;
class kaPluginLoader;
class kaTimer;

extern kaPluginLoader gRenderPlugin;
extern kaInput* gInput;
