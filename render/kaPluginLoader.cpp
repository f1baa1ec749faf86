#include "kaPluginLoader.h"

#include "kaResult.h"

kaPluginLoader::kaPluginLoader()
    : mGetDescription(nullptr), mGetVersion(nullptr),
      mGetRenderDeviceCount(nullptr), mGetRenderDeviceDesc(nullptr), mGetRenderDevice(nullptr),
      mDoLoad(nullptr), mDoUnload(nullptr), mReadPresentedFrame(nullptr),
      mBeginReadPresentedFrame(nullptr), mEndReadPresentedFrame(nullptr),
      mResizeBackBuffer(nullptr) {}

kaPluginLoader::~kaPluginLoader() {
    if (isLoaded()) Unload();
}

template <typename Function>
bool kaPluginLoader::Find(Function* function, const char* name) {
    *function = reinterpret_cast<Function>(mModule.Symbol(name));
    return *function != nullptr;
}

void kaPluginLoader::Forget() {
    mGetDescription = nullptr;
    mGetVersion = nullptr;
    mGetRenderDeviceCount = nullptr;
    mGetRenderDeviceDesc = nullptr;
    mGetRenderDevice = nullptr;
    mDoLoad = nullptr;
    mDoUnload = nullptr;
    mReadPresentedFrame = nullptr;
    mBeginReadPresentedFrame = nullptr;
    mEndReadPresentedFrame = nullptr;
    mResizeBackBuffer = nullptr;
}

int kaPluginLoader::Load(const char* fileName) {
    if (fileName == nullptr) return KA_ERR_INVALIDARG;
    if (isLoaded()) Unload();
    if (!mModule.Open(fileName)) return KA_ERR_OPENFAIL;
    const bool complete = Find(&mGetDescription, "getDescription") &&
                          Find(&mGetVersion, "getVersion") &&
                          Find(&mGetRenderDeviceCount, "getRenderDeviceCount") &&
                          Find(&mGetRenderDeviceDesc, "getRenderDeviceDesc") &&
                          Find(&mGetRenderDevice, "getRenderDevice") &&
                          Find(&mDoLoad, "doLoad") && Find(&mDoUnload, "doUnload");
    if (!complete) {
        mModule.Close();
        Forget();
        return KA_ERR_UNRECOGNISED;
    }
    Find(&mReadPresentedFrame, "readPresentedFrame");
    Find(&mBeginReadPresentedFrame, "beginReadPresentedFrame");
    Find(&mEndReadPresentedFrame, "endReadPresentedFrame");
    Find(&mResizeBackBuffer, "resizeBackBuffer");
    if (mBeginReadPresentedFrame == nullptr || mEndReadPresentedFrame == nullptr) {
        mBeginReadPresentedFrame = nullptr;  // one without the other is no use
        mEndReadPresentedFrame = nullptr;
    }
    return mDoLoad() == KA_OK ? KA_OK : KA_ERR_INITFAILED;
}

int kaPluginLoader::GetRenderDevice(kaRenderDevice** device, unsigned adapter) {
    if (!isLoaded()) return KA_ERR_WRONGSTATE;
    return mGetRenderDevice(device, adapter);
}

int kaPluginLoader::Unload() {
    if (!isLoaded()) return KA_ERR_WRONGSTATE;
    mDoUnload();
    mModule.Close();
    Forget();
    return KA_OK;
}

int kaPluginLoader::GetDescription(char* text, unsigned maxChars) {
    return isLoaded() ? mGetDescription(text, maxChars) : KA_ERR_WRONGSTATE;
}

int kaPluginLoader::GetVersion(int* version) {
    return isLoaded() ? mGetVersion(version) : KA_ERR_WRONGSTATE;
}

int kaPluginLoader::GetRenderDeviceCount(unsigned* count) {
    return isLoaded() ? mGetRenderDeviceCount(count) : KA_ERR_WRONGSTATE;
}

int kaPluginLoader::GetRenderDeviceDesc(kaRenderDeviceDesc* desc, unsigned adapter) {
    return isLoaded() ? mGetRenderDeviceDesc(desc, adapter) : KA_ERR_WRONGSTATE;
}

int kaPluginLoader::ReadPresentedFrame(kaRenderDevice* device, unsigned char* pixels,
                                       unsigned width, unsigned height) {
    if (!isLoaded()) return KA_ERR_WRONGSTATE;
    if (mReadPresentedFrame == nullptr) return KA_ERR_UNSUPPORTED;
    return mReadPresentedFrame(device, pixels, width, height);
}

int kaPluginLoader::BeginReadPresentedFrame(kaRenderDevice* device) {
    if (!isLoaded()) return KA_ERR_WRONGSTATE;
    if (mBeginReadPresentedFrame == nullptr) return KA_ERR_UNSUPPORTED;
    return mBeginReadPresentedFrame(device);
}

int kaPluginLoader::EndReadPresentedFrame(kaRenderDevice* device, unsigned char* pixels,
                                          unsigned width, unsigned height) {
    if (!isLoaded()) return KA_ERR_WRONGSTATE;
    if (mEndReadPresentedFrame == nullptr) return KA_ERR_UNSUPPORTED;
    return mEndReadPresentedFrame(device, pixels, width, height);
}

int kaPluginLoader::ResizeBackBuffer(kaRenderDevice* device, unsigned width, unsigned height) {
    if (!isLoaded()) return KA_ERR_WRONGSTATE;
    if (mResizeBackBuffer == nullptr) return KA_ERR_UNSUPPORTED;
    return mResizeBackBuffer(device, width, height);
}
