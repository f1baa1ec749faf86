#pragma once

#include "kaModule.h"
#include "kaPluginApi.h"

// The player's side of the plug-in boundary: loads a render-device module by
// file name, finds its seven entry points (and the optional read-back of
// presented frames and resize) and hands out its devices.
class kaPluginLoader {
public:
    kaPluginLoader();
    ~kaPluginLoader();  // unloads a module that is still loaded
    kaPluginLoader(const kaPluginLoader&) = delete;
    kaPluginLoader& operator=(const kaPluginLoader&) = delete;

    // 0; 2 without a name; 8 when the file cannot be loaded; 7 when an entry
    // point is missing (the file is unloaded again); 11 when the module's own
    // load step fails (the file stays loaded).
    int Load(const char* fileName);
    // 3 when no module is loaded, else the module's answer.
    int GetRenderDevice(kaRenderDevice** device, unsigned adapter);
    // 3 when no module is loaded; else unloads it and answers 0.
    int Unload();

    bool isLoaded() const { return mModule.isOpen(); }
    int GetDescription(char* text, unsigned maxChars);
    int GetVersion(int* version);
    int GetRenderDeviceCount(unsigned* count);
    int GetRenderDeviceDesc(kaRenderDeviceDesc* desc, unsigned adapter);
    // The optional read-back of presented frames: 3 when no module is
    // loaded, 6 when the module has none, else the module's answer.
    int ReadPresentedFrame(kaRenderDevice* device, unsigned char* pixels, unsigned width,
                           unsigned height);
    // The optional read-back without waiting, with the same answers.
    int BeginReadPresentedFrame(kaRenderDevice* device);
    int EndReadPresentedFrame(kaRenderDevice* device, unsigned char* pixels, unsigned width,
                              unsigned height);
    // The optional resize of the back buffer, with the same answers.
    int ResizeBackBuffer(kaRenderDevice* device, unsigned width, unsigned height);

private:
    template <typename Function>
    bool Find(Function* function, const char* name);
    void Forget();

    kaModule mModule;
    kaGetDescriptionFn mGetDescription;
    kaGetVersionFn mGetVersion;
    kaGetRenderDeviceCountFn mGetRenderDeviceCount;
    kaGetRenderDeviceDescFn mGetRenderDeviceDesc;
    kaGetRenderDeviceFn mGetRenderDevice;
    kaDoLoadFn mDoLoad;
    kaDoUnloadFn mDoUnload;
    kaReadPresentedFrameFn mReadPresentedFrame;  // optional
    kaBeginReadPresentedFrameFn mBeginReadPresentedFrame;  // optional
    kaEndReadPresentedFrameFn mEndReadPresentedFrame;      // optional
    kaResizeBackBufferFn mResizeBackBuffer;                // optional
};
