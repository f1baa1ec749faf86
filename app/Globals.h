#pragma once

// The player's long-lived objects, created by Startup and released by
// Shutdown; the frame callback and the scenes use them directly.

class kaInput;
class kaPluginLoader;
class kaRenderDevice;
class kaTimer;

extern kaPluginLoader gRenderPlugin;
extern kaRenderDevice* gDevice;
extern kaInput* gInput;
