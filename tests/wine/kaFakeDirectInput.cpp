#include "kaFakeDirectInput.h"

#include <algorithm>
#include <cstring>

namespace {

kaFakeInputScript* sScript = nullptr;

// Reference counting shared by the fake interface and its devices.
template <class Interface>
class Counted : public Interface {
public:
    Counted() { ++sScript->created; }
    virtual ~Counted() = default;
    STDMETHOD(QueryInterface)(REFIID, void** out) override {
        *out = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHOD_(ULONG, AddRef)() override { return ++mReferences; }
    STDMETHOD_(ULONG, Release)() override {
        if (--mReferences > 0) return mReferences;
        ++sScript->released;
        delete this;
        return 0;
    }

private:
    ULONG mReferences = 1;
};

HRESULT FailAt(int step) { return sScript->failingStep == step ? E_FAIL : DI_OK; }

class FakeDevice : public Counted<IDirectInputDevice8A> {
public:
    explicit FakeDevice(kaFakeInputScript::Device kind) : mKind(kind) {}

    STDMETHOD(SetDataFormat)(LPCDIDATAFORMAT) override { return FailAt(Step(3)); }
    STDMETHOD(SetCooperativeLevel)(HWND, DWORD) override { return FailAt(Step(4)); }
    STDMETHOD(SetProperty)(REFGUID, LPCDIPROPHEADER) override { return FailAt(8); }
    STDMETHOD(Acquire)() override {
        const int count = sScript->acquires[mKind]++;
        if (!mAcquired) {  // the first, at set-up
            mAcquired = true;
            return DI_OK;
        }
        const std::vector<HRESULT>& answers = sScript->reacquired;
        return answers[std::min<size_t>(count - 1, answers.size() - 1)];
    }
    STDMETHOD(Unacquire)() override { return DI_OK; }
    STDMETHOD(GetDeviceState)(DWORD bytes, LPVOID data) override {
        ++sScript->reads[mKind];
        if (sScript->readsFail) return DIERR_INPUTLOST;
        std::memset(data, 0, bytes);
        if (mKind == kaFakeInputScript::kKeyboard) std::memcpy(data, sScript->keys, std::min<DWORD>(bytes, 256));
        return DI_OK;
    }

    STDMETHOD(GetCapabilities)(LPDIDEVCAPS) override { return E_NOTIMPL; }
    STDMETHOD(EnumObjects)(LPDIENUMDEVICEOBJECTSCALLBACKA, LPVOID, DWORD) override { return E_NOTIMPL; }
    STDMETHOD(GetProperty)(REFGUID, LPDIPROPHEADER) override { return E_NOTIMPL; }
    STDMETHOD(GetDeviceData)(DWORD, LPDIDEVICEOBJECTDATA, LPDWORD, DWORD) override { return E_NOTIMPL; }
    STDMETHOD(SetEventNotification)(HANDLE) override { return E_NOTIMPL; }
    STDMETHOD(GetObjectInfo)(LPDIDEVICEOBJECTINSTANCEA, DWORD, DWORD) override { return E_NOTIMPL; }
    STDMETHOD(GetDeviceInfo)(LPDIDEVICEINSTANCEA) override { return E_NOTIMPL; }
    STDMETHOD(RunControlPanel)(HWND, DWORD) override { return E_NOTIMPL; }
    STDMETHOD(Initialize)(HINSTANCE, DWORD, REFGUID) override { return E_NOTIMPL; }
    STDMETHOD(CreateEffect)(REFGUID, LPCDIEFFECT, LPDIRECTINPUTEFFECT*, LPUNKNOWN) override {
        return E_NOTIMPL;
    }
    STDMETHOD(EnumEffects)(LPDIENUMEFFECTSCALLBACKA, LPVOID, DWORD) override { return E_NOTIMPL; }
    STDMETHOD(GetEffectInfo)(LPDIEFFECTINFOA, REFGUID) override { return E_NOTIMPL; }
    STDMETHOD(GetForceFeedbackState)(LPDWORD) override { return E_NOTIMPL; }
    STDMETHOD(SendForceFeedbackCommand)(DWORD) override { return E_NOTIMPL; }
    STDMETHOD(EnumCreatedEffectObjects)(LPDIENUMCREATEDEFFECTOBJECTSCALLBACK, LPVOID, DWORD) override {
        return E_NOTIMPL;
    }
    STDMETHOD(Escape)(LPDIEFFESCAPE) override { return E_NOTIMPL; }
    STDMETHOD(Poll)() override { return E_NOTIMPL; }
    STDMETHOD(SendDeviceData)(DWORD, LPCDIDEVICEOBJECTDATA, LPDWORD, DWORD) override { return E_NOTIMPL; }
    STDMETHOD(EnumEffectsInFile)(LPCSTR, LPDIENUMEFFECTSINFILECALLBACK, LPVOID, DWORD) override {
        return E_NOTIMPL;
    }
    STDMETHOD(WriteEffectToFile)(LPCSTR, DWORD, LPDIFILEEFFECT, DWORD) override { return E_NOTIMPL; }
    STDMETHOD(BuildActionMap)(LPDIACTIONFORMATA, LPCSTR, DWORD) override { return E_NOTIMPL; }
    STDMETHOD(SetActionMap)(LPDIACTIONFORMATA, LPCSTR, DWORD) override { return E_NOTIMPL; }
    STDMETHOD(GetImageInfo)(LPDIDEVICEIMAGEINFOHEADERA) override { return E_NOTIMPL; }

private:
    // The keyboard's steps are 2 to 4, the mouse's 5 to 7.
    int Step(int keyboardStep) const { return mKind == kaFakeInputScript::kMouse ? keyboardStep + 3 : keyboardStep; }

    kaFakeInputScript::Device mKind;
    bool mAcquired = false;
};

class FakeDirectInput : public Counted<IDirectInput8A> {
public:
    STDMETHOD(CreateDevice)(REFGUID guid, LPDIRECTINPUTDEVICE8A* device, LPUNKNOWN) override {
        const auto kind = IsEqualGUID(guid, GUID_SysMouse) ? kaFakeInputScript::kMouse
                                                           : kaFakeInputScript::kKeyboard;
        *device = nullptr;
        if (FAILED(FailAt(kind == kaFakeInputScript::kMouse ? 5 : 2))) return E_FAIL;
        *device = new FakeDevice(kind);
        return DI_OK;
    }
    STDMETHOD(EnumDevices)(DWORD, LPDIENUMDEVICESCALLBACKA, LPVOID, DWORD) override { return E_NOTIMPL; }
    STDMETHOD(GetDeviceStatus)(REFGUID) override { return E_NOTIMPL; }
    STDMETHOD(RunControlPanel)(HWND, DWORD) override { return E_NOTIMPL; }
    STDMETHOD(Initialize)(HINSTANCE, DWORD) override { return E_NOTIMPL; }
    STDMETHOD(FindDevice)(REFGUID, LPCSTR, LPGUID) override { return E_NOTIMPL; }
    STDMETHOD(EnumDevicesBySemantics)(LPCSTR, LPDIACTIONFORMATA, LPDIENUMDEVICESBYSEMANTICSCBA, LPVOID,
                                      DWORD) override {
        return E_NOTIMPL;
    }
    STDMETHOD(ConfigureDevices)(LPDICONFIGUREDEVICESCALLBACK, LPDICONFIGUREDEVICESPARAMSA, DWORD,
                                LPVOID) override {
        return E_NOTIMPL;
    }
};

}  // namespace

void kaFakeDirectInput::Use(kaFakeInputScript* script) { sScript = script; }

HRESULT WINAPI kaFakeDirectInput::Create(HINSTANCE, DWORD, REFIID, void** out, IUnknown*) {
    *out = nullptr;
    if (FAILED(FailAt(1))) return E_FAIL;
    *out = static_cast<IDirectInput8A*>(new FakeDirectInput());
    return DI_OK;
}
