#include "framework/SystemLibrary.h"

#include <string>

// The full path keeps a same-named DLL in the working folder from being loaded instead.
SystemLibrary::SystemLibrary(const wchar_t* name) {
    wchar_t folder[MAX_PATH] = {};
    UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        return;
    }
    std::wstring path = std::wstring(folder, length) + L"\\" + name;
    module.Reset(LoadLibraryW(path.c_str()));
}

FARPROC SystemLibrary::Lookup(const char* name) const {
    if (!module) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return nullptr;
    }
    return GetProcAddress(module.Get(), name);
}
