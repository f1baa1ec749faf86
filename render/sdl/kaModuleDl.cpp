// Modules with the dynamic linker.  A file name without a slash is looked for
// beside the executable first, as Windows looks in the program's folder, then
// along the linker's usual search path.
#include "kaModule.h"

#include <dlfcn.h>
#include <unistd.h>

#include <cstring>
#include <string>

namespace {

// The folder of the running executable with a trailing slash, or empty.
std::string ExecutableFolder() {
    char path[4096];
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    if (length <= 0) return {};
    const std::string executable(path, static_cast<size_t>(length));
    return executable.substr(0, executable.rfind('/') + 1);
}

void* Load(const std::string& path) { return dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL); }

}  // namespace

bool kaModule::Open(const char* fileName) {
    Close();
    if (fileName == nullptr || *fileName == '\0') return false;
    if (std::strchr(fileName, '/') == nullptr) {
        const std::string folder = ExecutableFolder();
        if (!folder.empty()) mHandle = Load(folder + fileName);
    }
    if (mHandle == nullptr) mHandle = Load(fileName);
    return mHandle != nullptr;
}

void* kaModule::Symbol(const char* name) const {
    return mHandle != nullptr ? dlsym(mHandle, name) : nullptr;
}

void kaModule::Close() {
    if (mHandle == nullptr) return;
    dlclose(mHandle);
    mHandle = nullptr;
}
