#include "kaPlatformFolder.h"

#include <windows.h>

#include <cstdio>
#include <string>

bool kaPlatformEnterProgramFolder() {
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    const std::wstring program(path, length < MAX_PATH ? length : 0);
    const size_t slash = program.find_last_of(L"\\/");
    if (slash == std::wstring::npos || !SetCurrentDirectoryW(program.substr(0, slash).c_str())) {
        std::fprintf(stderr, "Vessamorix: cannot enter the program's folder\n");
        return false;
    }
    return true;
}
