// Modules on Win32: the system's search order for DLLs (the program's folder
// first).
#include "kaModule.h"

#include <windows.h>

bool kaModule::Open(const char* fileName) {
    Close();
    mHandle = LoadLibraryA(fileName);
    return mHandle != nullptr;
}

void* kaModule::Symbol(const char* name) const {
    if (mHandle == nullptr) return nullptr;
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(mHandle), name));
}

void kaModule::Close() {
    if (mHandle == nullptr) return;
    FreeLibrary(static_cast<HMODULE>(mHandle));
    mHandle = nullptr;
}
